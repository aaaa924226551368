'use strict';
// The page as an installed app that plays offline: sw.js keeps this build's files. A new build's
// worker installs while the page plays and takes over only between games: while the game waits
// for its first start or once the program has ended, never during a game (running, paused or
// over, whose score the reload would lose); else at the next load.
(() => {
  if (!('serviceWorker' in navigator)) {
    return;
  }
  let state = null;
  let played = false;
  let update = null;
  const betweenGames = () => state === 'ended' || (state === 'waiting' && !played);
  function takeUpdate() {
    if (update && betweenGames()) {
      update.postMessage('take-update');
      update = null;
    }
  }

  window.addEventListener('gamestate', event => {
    state = event.detail;
    played ||= state === 'running';
    takeUpdate();
  });

  // The first worker takes a page that had none without reloading it; a new version reloads the
  // page with its files.
  const hadWorker = navigator.serviceWorker.controller !== null;
  let reloading = false;
  navigator.serviceWorker.addEventListener('controllerchange', () => {
    if (hadWorker && !reloading) {
      reloading = true;
      location.reload();
    }
  });

  function watch(worker) {
    if (!worker) {
      return;
    }
    const installed = () => {
      if (worker.state === 'installed' && navigator.serviceWorker.controller) {
        update = worker;
        takeUpdate();
      }
    };
    worker.addEventListener('statechange', installed);
    installed();
  }
  // Once the page has loaded, so that the worker's fetches do not delay the game's.
  window.addEventListener('load', () => {
    navigator.serviceWorker.register('sw.js').then(registration => {
      watch(registration.waiting);
      registration.addEventListener('updatefound', () => watch(registration.installing));
    }, error => console.warn(`zentor: the page cannot be kept for playing offline: ${error.message}`));
  });
})();
