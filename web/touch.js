'use strict';
// The game's keys on a touch screen: a pad of four directions and a Start / Pause button, page
// buttons that the page shows on a touch screen while the game runs in it. They press the game's keys
// through Module._zentor_control, so that the game hears them by its own rules, as it hears the
// keyboard. A touch on the canvas itself is the game's own (the picture's buttons, its drawn key
// squares, a tap to start).
(() => {
  // The game's key codes.
  const kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kSpace = 32, kP = 80;
  // The picture's shape: the game letterboxes it at this aspect, centred in the canvas.
  const kPictureWidth = 992, kPictureHeight = 821;
  // Sizes in CSS pixels: the pad's widest and narrowest (three thumb-sized keys across), the
  // button's, the room kept between a control and the window's edge, and beside the picture.
  const kPadLargest = 190, kPadSmallest = 120, kButton = 84, kGap = 12, kBeside = 6;
  // The pad's keys by the direction of the thumb from its centre, in eighths of a turn clockwise
  // from the right (the page's y grows downwards); diagonals hold two keys, as on a keyboard.
  const kSectors = [[kRight], [kRight, kDown], [kDown], [kDown, kLeft], [kLeft], [kLeft, kUp],
                    [kUp], [kUp, kRight]];
  // Near the pad's centre the thumb holds nothing: a fraction of its radius.
  const kDeadZone = 0.2;

  const controls = document.createElement('div');
  controls.id = 'touch-controls';
  controls.hidden = true;
  controls.innerHTML = `
    <div id="touch-pad" role="group" aria-label="Directions">
      <button type="button" class="up" data-code="${kUp}" aria-label="Up"></button>
      <button type="button" class="left" data-code="${kLeft}" aria-label="Left"></button>
      <button type="button" class="right" data-code="${kRight}" aria-label="Right"></button>
      <button type="button" class="down" data-code="${kDown}" aria-label="Down"></button>
    </div>
    <button type="button" id="touch-start">Start</button>`;
  const safeArea = document.createElement('div');
  safeArea.id = 'safe-area';
  document.querySelector('main').append(controls, safeArea);
  const pad = document.getElementById('touch-pad');
  const startButton = document.getElementById('touch-start');
  const padKeys = new Map([...pad.querySelectorAll('button')].map(
    key => [Number(key.dataset.code), key]));
  for (const button of controls.querySelectorAll('button')) {
    // Out of the tab order and never focused: the keyboard's keys are the game's.
    button.tabIndex = -1;
  }

  // Keys this page holds down in the game.
  const held = new Set();
  function press(code, down) {
    if (down === held.has(code)) {
      return;
    }
    if (down) {
      held.add(code);
    } else {
      held.delete(code);
    }
    padKeys.get(code)?.classList.toggle('held', down);
    if (code === kSpace || code === kP) {
      startButton.classList.toggle('held', down);
    }
    Module._zentor_control(code, down ? 1 : 0);
  }

  // The pad: each thumb on it holds the keys of its direction; a thumb slides between them.
  const thumbs = new Map();
  function padWants(event) {
    const box = pad.getBoundingClientRect();
    const radius = box.width / 2;
    const dx = event.clientX - (box.left + radius);
    const dy = event.clientY - (box.top + box.height / 2);
    if (Math.hypot(dx, dy) < kDeadZone * radius) {
      return [];
    }
    const sector = Math.round(Math.atan2(dy, dx) / (Math.PI / 4));
    return kSectors[(sector + 8) % 8];
  }
  function padChanged() {
    const wanted = new Set([...thumbs.values()].flat());
    for (const code of padKeys.keys()) {
      if (!wanted.has(code)) {
        press(code, false);
      }
    }
    for (const code of wanted) {
      press(code, true);
    }
  }
  pad.addEventListener('pointerdown', event => {
    event.preventDefault();
    pad.setPointerCapture(event.pointerId);
    thumbs.set(event.pointerId, padWants(event));
    padChanged();
  });
  pad.addEventListener('pointermove', event => {
    if (thumbs.has(event.pointerId)) {
      thumbs.set(event.pointerId, padWants(event));
      padChanged();
    }
  });
  for (const type of ['pointerup', 'pointercancel', 'lostpointercapture']) {
    pad.addEventListener(type, event => {
      if (thumbs.delete(event.pointerId)) {
        padChanged();
      }
    });
  }
  // A key activated without a pointer (a screen reader's click) is a short press.
  pad.addEventListener('click', event => {
    const code = Number(event.target.dataset?.code);
    if (event.detail === 0 && padKeys.has(code) && thumbs.size === 0) {
      press(code, true);
      press(code, false);
    }
  });

  // Start / Pause: the space bar while the game waits for it, P while it runs. The key pressed is
  // the one released, though the game's state (and so the button's name) changes meanwhile.
  // The game's state as it last told it; none while watching a script, which hears no controls.
  let state = null;
  let startFinger = null;
  const startCode = () => (state === 'running' ? kP : kSpace);
  startButton.addEventListener('pointerdown', event => {
    event.preventDefault();
    if (startFinger !== null) {
      return;
    }
    startButton.setPointerCapture(event.pointerId);
    startFinger = { pointer: event.pointerId, code: startCode() };
    press(startFinger.code, true);
  });
  for (const type of ['pointerup', 'pointercancel', 'lostpointercapture']) {
    startButton.addEventListener(type, event => {
      if (startFinger?.pointer === event.pointerId) {
        press(startFinger.code, false);
        startFinger = null;
      }
    });
  }
  startButton.addEventListener('click', event => {
    if (event.detail === 0 && startFinger === null) {
      const code = startCode();
      press(code, true);
      press(code, false);
    }
  });

  // No key stays held: a touch the browser cancels, and a page that loses the focus or is hidden,
  // let go of every key this page holds.
  function releaseAll() {
    thumbs.clear();
    startFinger = null;
    for (const code of [...held]) {
      press(code, false);
    }
  }
  window.addEventListener('touchcancel', releaseAll, true);
  window.addEventListener('blur', releaseAll);
  document.addEventListener('visibilitychange', () => {
    if (document.hidden) {
      releaseAll();
    }
  });

  function stateChanged(next) {
    state = next;
    startButton.textContent = state === 'running' ? 'Pause' : 'Start';
    startButton.hidden = state !== 'waiting' && state !== 'running';
    showOrHide();
  }
  window.addEventListener('gamestate', event => stateChanged(event.detail));

  // Where the game draws the picture in the canvas, in CSS pixels: the largest rectangle of its
  // aspect centred in the canvas's device pixels, as the game computes it.
  function pictureRect() {
    const box = Module.canvas.getBoundingClientRect();
    const ratio = window.devicePixelRatio || 1;
    const width = Math.max(1, Math.round(box.width * ratio));
    const height = Math.max(1, Math.round(box.height * ratio));
    const scale = Math.min(width / kPictureWidth, height / kPictureHeight);
    const w = Math.min(width, Math.max(1, Math.round(kPictureWidth * scale)));
    const h = Math.min(height, Math.max(1, Math.round(kPictureHeight * scale)));
    const x = Math.floor((width - w) / 2), y = Math.floor((height - h) / 2);
    return { left: box.left + x / ratio, top: box.top + y / ratio,
             right: box.left + (x + w) / ratio, bottom: box.top + (y + h) / ratio };
  }

  // The window less the display's safe areas (a notch, rounded corners, a home bar) and the share
  // bar at its foot (share.js), whose room is kept while it is hidden too, so that the controls
  // stay where they are when it comes and goes with the game.
  function usableRect() {
    const inset = getComputedStyle(safeArea);
    const side = name => parseFloat(inset[name]) || 0;
    let bottom = innerHeight - side('paddingBottom');
    const bar = document.getElementById('share');
    if (bar) {
      const hidden = bar.hidden;
      bar.style.visibility = hidden ? 'hidden' : '';
      bar.hidden = false;
      bottom = Math.min(bottom, bar.getBoundingClientRect().top - kBeside);
      bar.hidden = hidden;
      bar.style.visibility = '';
    }
    return { left: side('paddingLeft'), top: side('paddingTop'),
             right: innerWidth - side('paddingRight'), bottom };
  }

  function place(element, left, top, size, overPicture) {
    Object.assign(element.style, { left: `${left}px`, top: `${top}px`, width: `${size}px`,
                                   height: `${size}px` });
    element.classList.toggle('over-picture', overPicture);
  }

  // Below the picture where its margin there has room for the pad (a window taller than the
  // picture, a phone upright), else at its sides (a phone on its side): the pad on the left, the
  // button on the right, low for the thumbs. Where neither has room they lie over the picture's
  // lower corners, away from the panel at its top.
  function layout() {
    if (controls.hidden) {
      return;
    }
    const picture = pictureRect();
    const usable = usableRect();
    const below = usable.bottom - picture.bottom - kGap - kBeside;
    const leftSide = picture.left - usable.left - kGap - kBeside;
    const rightSide = usable.right - picture.right - kGap - kBeside;
    const across = usable.right - usable.left - kButton - 3 * kGap;
    const high = usable.bottom - usable.top - 2 * kGap;
    if (below >= kPadSmallest && across >= kPadSmallest) {
      const size = Math.min(kPadLargest, below, across);
      place(pad, usable.left + kGap, usable.bottom - kGap - size, size, false);
      place(startButton, usable.right - kGap - kButton,
            usable.bottom - kGap - (size + kButton) / 2, kButton, false);
      return;
    }
    const padInMargin = leftSide >= kPadSmallest && high >= kPadSmallest;
    const padSize = padInMargin ? Math.min(kPadLargest, leftSide, high)
                                : Math.max(Math.min(kPadSmallest, high), 0);
    const padLeft = padInMargin ? usable.left + kGap + (leftSide - padSize) / 2
                                : usable.left + kGap;
    place(pad, padLeft, usable.bottom - kGap - padSize, padSize, !padInMargin);
    const buttonInMargin = rightSide >= kButton;
    const buttonLeft = buttonInMargin ? picture.right + kBeside + (rightSide - kButton) / 2
                                      : usable.right - kGap - kButton;
    place(startButton, buttonLeft, usable.bottom - kGap - (padSize + kButton) / 2, kButton,
          !buttonInMargin);
  }
  window.addEventListener('resize', layout);
  window.addEventListener('orientationchange', layout);
  window.visualViewport?.addEventListener('resize', layout);

  // Shown on a touch screen (one whose main pointer is coarse, or once a finger touches the page)
  // while a game is there to hear them: from the game's first word until the program ends.
  let touchScreen = false;
  function showOrHide() {
    const shown = touchScreen && state !== null && state !== 'ended';
    if (controls.hidden === shown) {
      controls.hidden = !shown;
      if (shown) {
        layout();
      } else {
        releaseAll();
      }
    }
  }
  function touched() {
    touchScreen = true;
    showOrHide();
  }
  const coarse = matchMedia('(pointer: coarse)');
  if (coarse.matches) {
    touched();
  }
  coarse.addEventListener('change', () => coarse.matches && touched());
  window.addEventListener('pointerdown', event => event.pointerType === 'touch' && touched(), true);
  window.addEventListener('touchstart', touched, { capture: true, passive: true });

  // The browser's own gestures on the game's surfaces: no pinch (Safari's gesture events), no
  // double-tap zoom, no scrolling by a swipe, no long-press menu. Elsewhere two fingers zoom the
  // page, and one pans it once zoomed; at its own size a swipe there neither scrolls nor goes back
  // in the history.
  const onGame = event => event.target.closest?.('canvas, #touch-controls');
  const zoomed = () => (window.visualViewport?.scale ?? 1) > 1;
  for (const type of ['gesturestart', 'gesturechange', 'gestureend', 'dblclick', 'contextmenu']) {
    document.addEventListener(type, event => {
      if (onGame(event)) {
        event.preventDefault();
      }
    });
  }
  document.addEventListener('touchmove', event => {
    if (onGame(event) || (event.touches.length < 2 && !zoomed())) {
      event.preventDefault();
    }
  }, { passive: false });
})();
