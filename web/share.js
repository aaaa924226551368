'use strict';
// Saving, sharing and watching games in the page. The page records every game it plays into the
// module's in-memory files, as `zentor --record` writes a file on the desktop. While no game runs
// (before the first, paused, over or ended) a bar at the foot of the window offers it as a file
// (Save game) or as a link (Share game): the page's address with #play= and the script deflated
// in the zlib format, in base64url without padding. Such a link, or a replay file dropped on the
// page or chosen with "Watch a game file", is watched as ?play= watches a script of the site.
// The game's state reaches the page as `gamestate` events on window (page.js).
const zentorShare = (() => {
  const kRecording = '/recordings/game.replay';
  // The largest script a link or a file may hold: a game of many hours is a few MiB.
  const kLargest = 16 * 1024 * 1024;
  // Chromium opens no longer address.
  const kLongestLink = 2 * 1024 * 1024;
  // The name a link's script has in the module's files, which the program's sentences show.
  const kLinkGame = 'the link\'s game';
  // A file given to the page waits here for the page to open anew and watch it.
  const kPendingFile = 'zentor-watch';

  // The page's own address, without its query or fragment.
  function pageAddress() {
    return location.href.replace(/[?#].*$/s, '');
  }

  function refusal(subject, what) {
    return new Error(`${subject} ${what}`);
  }

  // Base64url without padding, and back: only the alphabet, a length that whole bytes give, and
  // the unused bits of the last character zero, so that any changed character changes the bytes.
  function toBase64url(bytes) {
    const kChunk = 3 * 8192;
    let text = '';
    for (let at = 0; at < bytes.length; at += kChunk) {
      text += btoa(String.fromCharCode(...bytes.subarray(at, at + kChunk)));
    }
    return text.replace(/=+$/, '').replace(/\+/g, '-').replace(/\//g, '_');
  }

  const kAlphabet = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_';
  function fromBase64url(text, subject) {
    const unusedBits = [0, 0, 0x0f, 0x03][text.length % 4];
    if (!/^[A-Za-z0-9_-]*$/.test(text) || text.length % 4 === 1 ||
        (unusedBits && (kAlphabet.indexOf(text[text.length - 1]) & unusedBits))) {
      throw refusal(subject, 'is not base64url');
    }
    const binary = atob(text.replace(/-/g, '+').replace(/_/g, '/'));
    const bytes = new Uint8Array(binary.length);
    for (let i = 0; i < binary.length; ++i) {
      bytes[i] = binary.charCodeAt(i);
    }
    return bytes;
  }

  async function deflate(bytes) {
    const stream = new Blob([bytes]).stream().pipeThrough(new CompressionStream('deflate'));
    return new Uint8Array(await new Response(stream).arrayBuffer());
  }

  // The zlib stream's content. Its checksum refuses a damaged stream, and reading stops as soon
  // as the content passes kLargest, so that a small stream of endless zeros costs nothing.
  async function inflate(bytes, subject) {
    const reader =
      new Blob([bytes]).stream().pipeThrough(new DecompressionStream('deflate')).getReader();
    const chunks = [];
    let size = 0;
    for (;;) {
      let step;
      try {
        step = await reader.read();
      } catch {
        throw refusal(subject, 'does not inflate');
      }
      if (step.done) {
        break;
      }
      size += step.value.length;
      if (size > kLargest) {
        reader.cancel().catch(() => {});
        throw refusal(subject, 'is larger than 16 MiB');
      }
      chunks.push(step.value);
    }
    const script = new Uint8Array(size);
    let at = 0;
    for (const chunk of chunks) {
      script.set(chunk, at);
      at += chunk.length;
    }
    return script;
  }

  async function linkOf(script) {
    return `${pageAddress()}#play=${toBase64url(await deflate(script))}`;
  }

  // The script a link's fragment (what follows #play=) holds; an error names what is wrong.
  async function scriptOfLink(fragment, subject = kLinkGame) {
    return inflate(fromBase64url(fragment, subject), subject);
  }

  // What the page watches: a file given to the page before it opened anew, or the game of a
  // #play= link, as {name, script}; null when it plays a game of its own.
  async function gameToWatch() {
    const pending = sessionStorage.getItem(kPendingFile);
    sessionStorage.removeItem(kPendingFile);
    const { name, game } = JSON.parse(pending) ?? {};
    if (typeof name === 'string' && typeof game === 'string') {
      return { name, script: await scriptOfLink(game, name) };
    }
    const link = /^#play=(.*)$/s.exec(location.hash);
    return link ? { name: kLinkGame, script: await scriptOfLink(link[1]) } : null;
  }

  let recording = false;
  // The program's arguments: watch the game in the module's files under its name, or record a
  // new one there.
  function programArguments(FS, game) {
    if (game) {
      FS.mkdir('/watch');
      FS.chdir('/watch');
      try {
        FS.writeFile(game.name, game.script);
      } catch {
        throw new Error(`cannot watch ${game.name}: it does not name a file`);
      }
      return ['--play', game.name];
    }
    FS.mkdir(kRecording.replace(/\/[^/]*$/, ''));
    recording = true;
    return ['--record', kRecording];
  }

  // The bar and the line that says what an action did.
  const bar = document.getElementById('share');
  const saveButton = document.getElementById('share-save');
  const shareButton = document.getElementById('share-link');
  const watchButton = document.getElementById('share-watch');
  const picker = document.getElementById('share-file');
  const said = document.getElementById('share-said');
  function tell(text) {
    said.textContent = text;
    said.hidden = !text;
  }

  let state = 'waiting';
  let played = false;
  function follow(newState) {
    state = newState;
    played ||= state === 'running';
    // While the box is open the game's last tick is not yet in the recording.
    bar.hidden = !recording || state === 'running' || state === 'box';
    saveButton.hidden = shareButton.hidden = !played;
    if (state === 'running') {
      tell('');
    }
  }
  window.addEventListener('gamestate', event => follow(event.detail));

  // "zentor-2026-12-09-193045.replay": the local date and time of the save.
  function fileName(when) {
    const two = n => String(n).padStart(2, '0');
    return `zentor-${when.getFullYear()}-${two(when.getMonth() + 1)}-${two(when.getDate())}-` +
           `${two(when.getHours())}${two(when.getMinutes())}${two(when.getSeconds())}.replay`;
  }

  function saveGame() {
    const name = fileName(new Date());
    const address = URL.createObjectURL(new Blob([Module.FS.readFile(kRecording)],
                                                 { type: 'text/plain' }));
    const anchor = document.createElement('a');
    anchor.href = address;
    anchor.download = name;
    anchor.click();
    // The download has taken the file's bytes by then.
    setTimeout(() => URL.revokeObjectURL(address), 60000);
    tell(`Saved as ${name}`);
  }

  async function shareGame() {
    const link = await linkOf(Module.FS.readFile(kRecording));
    if (link.length > kLongestLink) {
      tell('This game is too long for a link: save it as a file instead');
      return;
    }
    if (navigator.share) {
      try {
        await navigator.share({ title: 'Zentor', url: link });
        tell('Link shared');
        return;
      } catch (error) {
        if (error.name === 'AbortError') {
          tell('Not shared');
          return;
        }
      }
    }
    try {
      await navigator.clipboard.writeText(link);
      tell('Link copied');
    } catch (error) {
      const why = !navigator.clipboard ? 'no clipboard here'
                : error.name === 'NotAllowedError' ? 'permission refused' : error.message;
      tell(`The link cannot be copied (${why}): save the game as a file instead`);
    }
  }

  // A file to watch, kept deflated for the page that opens anew: the running program cannot be
  // left for another.
  async function watchFile(file) {
    if (file.size > kLargest) {
      tell(`${file.name} is larger than 16 MiB`);
      return;
    }
    const game = toBase64url(await deflate(new Uint8Array(await file.arrayBuffer())));
    try {
      sessionStorage.setItem(kPendingFile, JSON.stringify({ name: file.name, game }));
    } catch {
      tell(`${file.name} is too large to watch here`);
      return;
    }
    location.assign(pageAddress());
  }

  // A click by mouse or touch leaves no focus behind, so that the next Space is the game's; a
  // focused button keeps Enter and Space from the game, and Escape gives the keys back to it.
  function act(button, action) {
    button.addEventListener('click', event => {
      if (event.detail !== 0) {
        button.blur();
      }
      action();
    });
  }
  act(saveButton, saveGame);
  act(shareButton, shareGame);
  act(watchButton, () => picker.click());
  picker.addEventListener('change', () => {
    if (picker.files.length) {
      watchFile(picker.files[0]);
    }
  });
  for (const type of ['keydown', 'keyup']) {
    // SDL keeps Tab from the browser: while the bar shows, Tab moves the focus through it.
    window.addEventListener(type, event => {
      if (event.code === 'Tab' && !bar.hidden) {
        event.stopPropagation();
      }
    }, true);
    bar.addEventListener(type, event => {
      if (['Enter', 'NumpadEnter', 'Space'].includes(event.code)) {
        event.stopPropagation();
      } else if (event.code === 'Escape') {
        event.stopPropagation();
        document.activeElement.blur();
      }
    });
  }

  window.addEventListener('dragover', event => {
    if (event.dataTransfer.types.includes('Files')) {
      event.preventDefault();
      event.dataTransfer.dropEffect = 'copy';
    }
  });
  window.addEventListener('drop', event => {
    event.preventDefault();
    if (event.dataTransfer.files.length) {
      watchFile(event.dataTransfer.files[0]);
    }
  });
  // A link pasted into the address bar of the open page changes only its fragment.
  window.addEventListener('hashchange', event => {
    if (/#play=/.test(event.oldURL) || /#play=/.test(event.newURL)) {
      location.reload();
    }
  });

  return { gameToWatch, programArguments, linkOf, scriptOfLink };
})();
