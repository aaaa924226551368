'use strict';
// The game's program runs in the page as on the desktop: `zentor --record`, or `zentor --play
// FILE` for index.html?play=FILE, which watches a replay script of this site, and for a shared
// game (share.js). The page fetches the font and the script while the module loads, puts them
// into the module's file system and starts the program. When it ends, its sentences on standard
// error show on the page, or that it has ended.

// The font the game draws with, which src/picture/web/font_file.cpp finds in /fonts.
const fontFile = 'ZentorSans-Regular.ttf';
const play = new URLSearchParams(location.search).get('play');

const sentence = document.getElementById('sentence');
function say(text) {
  sentence.textContent = text;
  sentence.hidden = false;
  document.getElementById('loading').hidden = true;
}

// A script of the page that does not load (the module's zentor.js, which comes after this
// file): its error reaches the window on its way down to the element.
window.addEventListener('error', event => {
  if (event.target instanceof HTMLScriptElement) {
    say(`zentor: cannot load ${event.target.getAttribute('src')}`);
  }
}, true);

// A file of this site, as bytes; a failure says what could not be fetched and why.
async function fetchFile(name) {
  const fail = reason => new Error(`cannot fetch ${name}: ${reason}`);
  if (new URL(name, location.href).origin !== location.origin) {
    throw fail('only a file of this site can be watched');
  }
  let response;
  try {
    response = await fetch(name);
  } catch (error) {
    throw fail(error.message);
  }
  if (!response.ok) {
    throw fail(`${response.status} ${response.statusText}`.trim());
  }
  return new Uint8Array(await response.arrayBuffer());
}

const saidOnStandardError = [];
var Module = {
  canvas: document.getElementById('canvas'),
  print() {},
  printErr(line) {
    saidOnStandardError.push(line);
  },
  onAbort(what) {
    say(`zentor: stopped by a fault: ${what}`);
  },
  // The game's state as it changes ("waiting", "running", "box" while the game-over box is
  // open, "over", "ended"), for every part of the page that follows it: a `gamestate` event on
  // window, the state its detail.
  onGameState(state) {
    window.dispatchEvent(new CustomEvent('gamestate', { detail: state }));
  },
};
const moduleReady = new Promise(resolve => {
  Module.onRuntimeInitialized = resolve;
});

// The module, compiled on a thread of its own (compile.js) from the moment the page has shown its
// title, and instantiated here once the module's script (which the page runs before its first
// picture) has asked for it. The runtime then starts in a task of its own (Module.setStatus has
// it wait for a timer), not in the one that instantiated the module.
let compileModule = null;
const compiledModule = new Promise((resolve, reject) => {
  compileModule = () => {
    const compiler = new Worker('compile.js');
    compiler.onmessage = ({ data }) => {
      if (data.error) {
        reject(new Error(data.error));
      } else {
        resolve(data.compiled);
      }
    };
    compiler.onerror = () => reject(new Error('cannot load compile.js'));
    compiler.postMessage('zentor.wasm');
  };
});
Module.instantiateWasm = (imports, receive) => {
  compiledModule.then(
    compiled => WebAssembly.instantiate(compiled, imports).then(
      instance => receive(instance, compiled),
      error => say(`zentor: cannot start zentor.wasm: ${error.message}`)),
    error => say(`zentor: ${error.message}`));
  return {};
};
Module.setStatus = () => {};

// Runs the program's main with these arguments: a promise of its exit status, which comes when
// main returns, however often the program has waited for the browser meanwhile.
function runProgram(args) {
  const words = ['zentor', ...args].map(word => Module.allocateUTF8(word));
  const argv = Module._malloc(4 * (words.length + 1));
  [...words, 0].forEach((word, i) => Module.setValue(argv + 4 * i, word, 'i32'));
  return Module.ccall('main', 'number', ['number', 'number'], [words.length, argv],
                      {async: true});
}

function start(font, script) {
  Module.FS.mkdir('/fonts');
  Module.FS.writeFile(`/fonts/${fontFile}`, font);
  const args = [];
  if (play !== null) {
    // The script under the name it was asked for, so that the program's sentences name it so.
    if (script) {
      try {
        const folder = play.replace(/[^/]*$/, '');
        if (folder) {
          Module.FS.mkdirTree(folder);
        }
        Module.FS.writeFile(play, script);
      } catch {
        say(`zentor: cannot watch ${play}: it does not name a file`);
        return;
      }
    }
    args.push('--play', play);
  } else {
    args.push(...zentorShare.programArguments(Module.FS, script));
  }
  runProgram(args).then(status => {
    say(status === 0 ? 'Zentor has ended. Reload the page to play again.'
                     : saidOnStandardError.join('\n'));
  });
}

// The game comes once every script of the page follows its state (they come after this one) and
// the browser has shown the page's title (two frames on, or a moment in a tab that draws no
// frames), so that neither the module nor the game's start-up hold that first picture back: then
// the module, compiled meanwhile on a thread of its own, and the font.
function afterFirstFrame(then) {
  let done = false;
  const once = () => {
    if (!done) {
      done = true;
      then();
    }
  };
  document.addEventListener('DOMContentLoaded', () => {
    requestAnimationFrame(() => requestAnimationFrame(once));
    setTimeout(once, 250);
  });
}

afterFirstFrame(() => {
  compileModule();
  // In a task of its own: the page's first look at its session storage may wait on the browser.
  setTimeout(() => {
    // Without ?play=, the game of a link or of a file given to the page (share.js), else a new
    // game. The program starts in a task of its own too.
    const watched = play !== null ? play && fetchFile(play) : zentorShare.gameToWatch();
    Promise.all([fetchFile(fontFile), watched, moduleReady])
      .then(([font, script]) => setTimeout(() => start(font, script)))
      .catch(error => say(`zentor: ${error.message}`));
  });
});

// A hidden tab is a window that lost the focus: a game left running pauses, as on the desktop.
document.addEventListener('visibilitychange', () => {
  if (document.hidden) {
    window.dispatchEvent(new FocusEvent('blur'));
  }
});

// The game takes every key it hears and keeps the browser from it. The browser's own shortcuts
// (F5, Ctrl+R, F12, ...) that are none of the game's keys pass it by.
const gameKeys = new Set(['ArrowLeft', 'ArrowUp', 'ArrowRight', 'ArrowDown', 'Space', 'KeyP',
                          'Enter', 'NumpadEnter', 'Escape', 'F11']);
function keepForBrowser(event) {
  const shortcut = event.ctrlKey || event.metaKey || /^F\d+$/.test(event.code);
  if (shortcut && !gameKeys.has(event.code)) {
    event.stopImmediatePropagation();
  }
}
window.addEventListener('keydown', keepForBrowser, true);
window.addEventListener('keyup', keepForBrowser, true);
