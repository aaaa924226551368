'use strict';
// What the game says, in words, for a player who does not see the picture. The module tells the
// page its words as they change (Module.onGameWords, src/sdl/web/page.cpp), never for the score
// alone: the state, the status line's caption, the panel's score and high score with their names,
// the push buttons' captions while they show, and the game-over box's title and prompt, each as
// the game has it. A polite live region says what is new: the status line when it changes, the
// score and the high score when the player pauses and when a game ends, the push buttons when they
// show; the box's title and prompt are an alert. The push buttons have twins in the share bar, so
// that the keyboard reaches them too: each shows there while it has the focus.
(() => {
  const said = document.getElementById('game-said');
  const alert = document.getElementById('game-alert');
  const title = document.getElementById('title');
  // The twins, by the game's words for their buttons and the number Module._zentor_click takes.
  const twins = [[document.getElementById('game-restart'), 'restart', 1],
                 [document.getElementById('game-stop'), 'stop', 2]];

  // The same words said again are emptied first, for a screen reader to hear them anew.
  function tell(region, text) {
    if (region.textContent === text) {
      region.textContent = '';
    }
    region.textContent = text;
  }

  // The picture shows from the game's first word on, with the game's own title: the page's goes
  // once the browser has shown it at least once (two frames on), so that what the page showed
  // first is never lost unseen.
  function pictureShows() {
    requestAnimationFrame(() => requestAnimationFrame(() => title.classList.add('unseen')));
  }

  let before = { state: null, status: '', restart: '', stop: '', boxTitle: '', boxPrompt: '' };
  function heard(words) {
    if (before.state === null) {
      pictureShows();
    }
    const told = [];
    if (words.status && words.status !== before.status) {
      told.push(words.status);
    }
    const paused = before.state === 'running' && words.state === 'waiting';
    const ended = words.state === 'box' && before.state !== 'box';
    if (paused || ended) {
      told.push(`${words.scoreName} ${words.score}, ${words.highName} ${words.high}`);
    }
    for (const [twin, name] of twins) {
      if (words[name] && words[name] !== before[name]) {
        told.push(words[name]);
      }
      twin.textContent = words[name];
      twin.hidden = !words[name];
    }
    if (words.boxTitle !== before.boxTitle || words.boxPrompt !== before.boxPrompt) {
      alert.textContent = [words.boxTitle, words.boxPrompt].filter(text => text).join('\n');
    }
    if (told.length) {
      tell(said, told.join('. '));
    }
    before = words;
  }
  Module.onGameWords = heard;

  for (const [twin, , button] of twins) {
    twin.addEventListener('click', event => {
      // A click by mouse or touch leaves no focus behind, as the share bar's buttons do.
      if (event.detail !== 0) {
        twin.blur();
      }
      Module._zentor_click(button);
    });
  }
})();
