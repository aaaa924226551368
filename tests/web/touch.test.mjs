// The page on a phone and a tablet, emulated in Debian's Chromium, and as an installed app: the
// touch controls show on a touch screen only, in the picture's margins, and play the game with one
// thumb and two fingers; a lifted or cancelled touch holds no key, nothing scrolls or zooms; after
// one visit the page starts from its worker's files alone, with the network off and the browser's
// own cache emptied, takes a new version between games only, and Chromium finds it installable.
//
// Environment: ZENTOR_SITE, the built site (build-web/site).
import assert from 'node:assert/strict';
import { mkdtempSync, readFileSync, rmSync, unlinkSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { after, before, test } from 'node:test';
import { setTimeout as sleep } from 'node:timers/promises';

import { kWatched, launchChromiumProfile, pageErrors, serve, servedInChromium, siteCopy, waitFor }
  from './browser.mjs';
import * as pictures from './pictures.mjs';

const site = resolve(process.env.ZENTOR_SITE ?? 'build-web/site');

const kPhoneUpright = { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3,
                        hasTouch: true, isMobile: true };
const kPhoneLyingDown = { ...kPhoneUpright, viewport: { width: 844, height: 390 } };
const kTablet = { viewport: { width: 1024, height: 768 }, deviceScaleFactor: 2, hasTouch: true };
const kDesktop = { viewport: { width: 992, height: 821 } };

let work, served, address, browser;

before(async () => {
  work = siteCopy(site);
  writeFileSync(join(work, 'rock.replay'), kWatched);
  served = await servedInChromium(work);
  ({ address, browser } = served);
});

after(() => served?.close());

async function open(device, { at = address, path = 'index.html', safeArea } = {}) {
  const context = await browser.newContext(device);
  const page = await context.newPage();
  const cdp = await context.newCDPSession(page);
  if (safeArea) {
    await cdp.send('Emulation.setSafeAreaInsetsOverride', { insets: safeArea });
  }
  const errors = await pageErrors(page);
  await page.goto(`${at}/${path}`);
  await waitFor('the first picture', 10, async () =>
    (await pictureRect(page)) !== null);
  return { page, cdp, errors, close: () => context.close() };
}

// The picture's rectangle in CSS pixels, found in what the screen shows with all but the canvas
// out of sight: its edges are where the black bars around it end, within a pixel. Null before the
// first picture.
async function pictureRect(page) {
  const others = page.locator('body > :not(canvas)');
  await others.evaluateAll(elements => elements.forEach(e => { e.style.visibility = 'hidden'; }));
  const shown = pictures.readPng(await page.screenshot({ scale: 'css' }));
  await others.evaluateAll(elements => elements.forEach(e => { e.style.visibility = ''; }));
  const black = (x, y) => pictures.isColour(shown, x, y, pictures.kBlack);
  const middle = Math.floor(shown.width / 2);
  let top = 0;
  while (top < shown.height && black(middle, top)) {
    ++top;
  }
  if (top === shown.height || !pictures.isColour(shown, middle, top + 2, pictures.kPanelGreen)) {
    return null;
  }
  let bottom = shown.height;
  while (black(middle, bottom - 1)) {
    --bottom;
  }
  let left = 0;
  while (black(left, top + 2)) {
    ++left;
  }
  let right = shown.width;
  while (black(right - 1, top + 2)) {
    --right;
  }
  return { left: left - 1, top: top - 1, right: right + 1, bottom: bottom + 1 };
}

// Where the player's square is in the picture, in CSS pixels: its left end and top row, the first
// run of black as wide as the square, below the panel.
async function squareAt(page, picture) {
  const clip = { x: picture.left + 1, y: picture.top + 1, width: picture.right - picture.left - 2,
                 height: picture.bottom - picture.top - 2 };
  const shown = pictures.readPng(await page.screenshot({ clip }));
  const scale = shown.width / clip.width;
  const wide = Math.floor(25 * shown.width / 992);
  for (let y = Math.floor(shown.height * 150 / 821); y < shown.height; ++y) {
    let run = 0;
    for (let x = 0; x < shown.width; ++x) {
      run = pictures.isColour(shown, x, y, pictures.kBlack) ? run + 1 : 0;
      if (run === wide) {
        return { x: (x - wide + 1) / scale, y: y / scale };
      }
    }
  }
  return null;
}

// The button of this name, if the page shows it.
async function boxOf(page, name) {
  const button = page.getByRole('button', { name, exact: true });
  if (!(await button.isVisible())) {
    return null;
  }
  const box = await button.boundingBox();
  return box && { left: box.x, top: box.y, right: box.x + box.width, bottom: box.y + box.height,
                  x: box.x + box.width / 2, y: box.y + box.height / 2 };
}

const overlaps = (a, b) => a.left < b.right && b.left < a.right && a.top < b.bottom &&
                           b.top < a.bottom;

// A finger on the touch screen, through Chromium's own touch events: `points` are the fingers down
// after the event, each {x, y, id}.
function touch(cdp, type, points) {
  return cdp.send('Input.dispatchTouchEvent', { type, touchPoints: points });
}
async function tap(cdp, { x, y }, id = 9) {
  await touch(cdp, 'touchStart', [{ x, y, id }]);
  await touch(cdp, 'touchEnd', []);
}

test('the touch controls show on a phone and a tablet, in the picture\'s margins where there is room, clear of the safe areas', async () => {
  // The controls of each window, and where they must be: beside the picture's box, or over it.
  const kCases = [
    { what: 'a phone upright', device: kPhoneUpright, margin: 'below' },
    { what: 'a phone lying down', device: kPhoneLyingDown, margin: 'beside' },
    { what: 'a phone lying down with a notch and a home bar', device: kPhoneLyingDown,
      safeArea: { top: 0, left: 47, right: 47, bottom: 21 }, margin: 'beside' },
    { what: 'a tablet', device: kTablet, margin: 'none' },
  ];
  for (const { what, device, safeArea, margin } of kCases) {
    const { page, errors, close } = await open(device, { safeArea });
    const picture = await pictureRect(page);
    const { width, height } = device.viewport;
    const inset = { top: 0, left: 0, right: 0, bottom: 0, ...safeArea };
    // The share bar at the window's foot, shown while the game waits.
    const bar = await page.locator('#share').boundingBox();
    assert.ok(bar, `${what}: no share bar`);
    const boxes = {};
    for (const name of ['Left', 'Up', 'Right', 'Down', 'Start']) {
      const box = boxes[name] = await boxOf(page, name);
      assert.ok(box, `${what}: no ${name} button shown`);
      assert.ok(box.left >= inset.left && box.top >= inset.top &&
                box.right <= width - inset.right && box.bottom <= height - inset.bottom,
                `${what}: ${name} is outside the safe area`);
      assert.ok(box.bottom <= bar.y, `${what}: ${name} covers the share bar`);
      // The panel is the picture's top sixth.
      assert.ok(box.top > picture.top + (picture.bottom - picture.top) / 6,
                `${what}: ${name} covers the panel`);
      const opacity = await page.getByRole('button', { name, exact: true }).evaluate(
        button => Number(getComputedStyle(button.closest('#touch-controls > *')).opacity));
      if (margin === 'none') {
        assert.ok(opacity < 1, `${what}: ${name} covers the picture but is opaque`);
      } else {
        assert.ok(!overlaps(box, picture), `${what}: ${name} covers the picture`);
        assert.equal(opacity, 1, `${what}: ${name} is translucent in a margin`);
      }
    }
    if (margin === 'below') {
      assert.ok(boxes.Up.top >= picture.bottom, `${what}: the pad is not below the picture`);
    } else if (margin === 'beside') {
      assert.ok(boxes.Right.right <= picture.left, `${what}: the pad is not left of the picture`);
      assert.ok(boxes.Start.left >= picture.right, `${what}: Start is not right of the picture`);
    } else {
      assert.ok(boxes.Left.x < picture.left + 200 && boxes.Start.x > picture.right - 200,
                `${what}: the controls are not in the picture's lower corners`);
    }
    assert.deepEqual(errors, []);
    await close();
  }

  // Turned on its side, the phone's controls move beside the picture.
  const turned = await open(kPhoneUpright);
  await turned.page.setViewportSize(kPhoneLyingDown.viewport);
  await waitFor('Start beside the picture', 5, async () =>
    (await boxOf(turned.page, 'Start')).left >= (await pictureRect(turned.page)).right);
  await turned.close();

  const desktop = await open(kDesktop);
  await desktop.page.mouse.click(900, 20);
  assert.equal(await desktop.page.getByRole('button', { name: 'Left' }).isVisible(), false,
               'the touch controls show without a touch screen, clicked with a mouse');
  await tap(desktop.cdp, { x: 900, y: 20 });
  assert.ok(await desktop.page.getByRole('button', { name: 'Left' }).isVisible(),
            'the touch controls do not show after a touch');
  await desktop.close();
});

// The game runs too briefly in each of these for a rock to reach the square, which needs 25 ticks
// at least (the rocks fall from above the field): each pauses or the page closes within 600 ms.
test('a thumb held on Left moves the square left, and a second finger on Pause pauses the game meanwhile', async () => {
  const { page, cdp, errors, close } = await open(kPhoneUpright);
  const picture = await pictureRect(page);
  const start = await squareAt(page, picture);
  const left = await boxOf(page, 'Left');

  await tap(cdp, await boxOf(page, 'Start'));
  await waitFor('the button named Pause once the game runs', 3, async () =>
    (await boxOf(page, 'Pause')) !== null);
  const thumb = { x: left.x, y: left.y, id: 1 };
  await touch(cdp, 'touchStart', [thumb]);
  await sleep(250);
  const pause = await boxOf(page, 'Pause');
  await touch(cdp, 'touchStart', [thumb, { x: pause.x, y: pause.y, id: 2 }]);
  await touch(cdp, 'touchEnd', [thumb]);
  await waitFor('the button named Start once paused', 3, async () =>
    (await boxOf(page, 'Start')) !== null);
  const paused = await squareAt(page, picture);
  assert.ok(paused.x < start.x - 5, `the square went from ${start.x} to ${paused.x}, not left`);
  assert.ok(Math.abs(paused.y - start.y) < 1, 'the square went up or down');
  await sleep(300);
  assert.deepEqual(await squareAt(page, picture), paused, 'the square moves while paused');
  await touch(cdp, 'touchEnd', []);
  assert.deepEqual(errors, []);
  await close();
});

test('the button is Start while the game waits, Pause while it runs, gone once it is over; no control shows once the program has ended or while a script plays', async () => {
  // At the picture's scale 1, touched: the controls lie over its lower corners.
  const { page, cdp, errors, close } = await open({ ...kDesktop, hasTouch: true });
  const named = async () => {
    const names = [];
    for (const name of ['Start', 'Pause']) {
      if (await boxOf(page, name)) {
        names.push(name);
      }
    }
    return names.join();
  };
  assert.equal(await named(), 'Start');
  // The finger lifts from the button named Pause by then: it lets go of the key it pressed.
  const start = await boxOf(page, 'Start');
  await touch(cdp, 'touchStart', [{ x: start.x, y: start.y, id: 1 }]);
  await waitFor('Pause while the game runs', 3, async () => (await named()) === 'Pause');
  await touch(cdp, 'touchEnd', []);
  assert.equal(await page.locator('#touch-controls button.held').count(), 0,
               'Start still held after its finger lifted');
  // Up into the rocks that come from above.
  const up = await boxOf(page, 'Up');
  await touch(cdp, 'touchStart', [{ x: up.x, y: up.y, id: 1 }]);
  await waitFor('a rock ending the game', 30, async () =>
    pictures.boxShown(pictures.readPng(await page.screenshot())));
  await touch(cdp, 'touchEnd', []);
  await tap(cdp, pictures.kOkButton);
  await waitFor('neither once the game is over', 3, async () => (await named()) === '');
  // "Click me to stop", at the picture's scale 1.
  await tap(cdp, { x: 604, y: 416 });
  await waitFor('the pad gone once the program has ended', 5, async () =>
    (await boxOf(page, 'Left')) === null);
  assert.deepEqual(errors, []);
  await close();

  const watching = await open(kPhoneUpright, { path: 'index.html?play=rock.replay' });
  await sleep(500);
  assert.equal(await watching.page.locator('#touch-controls').isVisible(), false,
               'controls show while a script plays');
  assert.deepEqual(watching.errors, []);
  await watching.close();
});

test('a tap on the picture starts the game, and a thumb on the panel\'s drawn Left square moves the square left', async () => {
  const { page, cdp, errors, close } = await open(kPhoneUpright);
  const picture = await pictureRect(page);
  const start = await squareAt(page, picture);
  // A point of the picture at scale 1, on the screen.
  const scale = (picture.right - picture.left) / 992;
  const at = (x, y) => ({ x: picture.left + x * scale, y: picture.top + y * scale });
  await tap(cdp, at(250, 600));
  await waitFor('the game running', 3, async () => (await boxOf(page, 'Pause')) !== null);
  const drawnLeft = at(520, 104);
  await touch(cdp, 'touchStart', [{ ...drawnLeft, id: 1 }]);
  await sleep(250);
  await touch(cdp, 'touchEnd', []);
  await tap(cdp, await boxOf(page, 'Pause'));
  await waitFor('the game paused', 3, async () => (await boxOf(page, 'Start')) !== null);
  const paused = await squareAt(page, picture);
  assert.ok(paused.x < start.x - 5, `the square went from ${start.x} to ${paused.x}, not left`);
  assert.deepEqual(errors, []);
  await close();
});

test('a cancelled touch holds no key: the square stops', async () => {
  const { page, cdp, errors, close } = await open(kPhoneLyingDown);
  const picture = await pictureRect(page);
  const start = await squareAt(page, picture);
  const down = await boxOf(page, 'Down');
  await tap(cdp, await boxOf(page, 'Start'));
  await touch(cdp, 'touchStart', [{ x: down.x, y: down.y, id: 1 }]);
  await sleep(150);
  await touch(cdp, 'touchCancel', []);
  const stopped = await squareAt(page, picture);
  await sleep(250);
  const later = await squareAt(page, picture);
  await page.keyboard.press('KeyP');
  assert.ok(stopped.y > start.y + 2, 'the square did not go down');
  assert.deepEqual(later, stopped, 'the square goes on after the touch was cancelled');
  assert.deepEqual(errors, []);
  await close();
});

test('a thumb slides round the pad: each direction and diagonal holds its keys', async () => {
  const { page, cdp, errors, close } = await open(kTablet);
  const pad = await page.locator('#touch-pad').boundingBox();
  const centre = { x: pad.x + pad.width / 2, y: pad.y + pad.height / 2 };
  // The keys held, as the pad shows them.
  const held = () => page.locator('#touch-pad button.held').evaluateAll(
    keys => keys.map(key => key.getAttribute('aria-label')).sort());
  const reach = pad.width * 0.4;
  const kTurn = [[0, [], 'the centre'], [0, ['Right']], [45, ['Down', 'Right']], [90, ['Down']],
                 [135, ['Down', 'Left']], [180, ['Left']], [225, ['Left', 'Up']], [270, ['Up']],
                 [315, ['Right', 'Up']]];
  await touch(cdp, 'touchStart', [{ ...centre, id: 1 }]);
  for (const [degrees, keys, where] of kTurn) {
    const turn = degrees * Math.PI / 180;
    const at = where ? centre : { x: centre.x + reach * Math.cos(turn),
                                  y: centre.y + reach * Math.sin(turn) };
    await touch(cdp, 'touchMove', [{ ...at, id: 1 }]);
    assert.deepEqual(await held(), keys, `the thumb at ${where ?? `${degrees} degrees`}`);
  }
  await touch(cdp, 'touchEnd', []);
  assert.deepEqual(await held(), [], 'keys held after the thumb left');
  await touch(cdp, 'touchStart', [{ x: centre.x, y: centre.y - reach, id: 1 }]);
  await page.evaluate(() => window.dispatchEvent(new FocusEvent('blur')));
  assert.deepEqual(await held(), [], 'keys held after the page lost the focus');
  await touch(cdp, 'touchEnd', []);
  assert.deepEqual(errors, []);
  await close();
});

// The names of the page's caches, once its service worker has taken the page.
async function cachesOnceKept(page) {
  await page.evaluate(async () => {
    await navigator.serviceWorker.ready;
    while (!navigator.serviceWorker.controller) {
      await new Promise(resolve => setTimeout(resolve, 50));
    }
  });
  return page.evaluate(() => caches.keys());
}

// Whether the score's caption changes within a second, at the picture's scale 1.
async function scoreMoves(page) {
  const score = async () =>
    pictures.areaOf(pictures.readPng(await page.screenshot()), pictures.kScore);
  const before = await score();
  const deadline = Date.now() + 1000;
  while (Date.now() < deadline) {
    if (!(await score()).equals(before)) {
      return true;
    }
  }
  return false;
}

test('swipes, a pinch and a double tap neither scroll nor zoom the page', async () => {
  const { page, cdp, errors, close } = await open(kPhoneUpright);
  const pad = await boxOf(page, 'Up');
  const swipes = [[{ x: 195, y: 700 }, { x: 195, y: 100 }], [{ x: 195, y: 100 }, { x: 195, y: 800 }],
                  [{ x: 20, y: 400 }, { x: 370, y: 400 }], [pad, { x: pad.x, y: 100 }]];
  for (const [from, to] of swipes) {
    await touch(cdp, 'touchStart', [{ ...from, id: 1 }]);
    for (let step = 1; step <= 5; ++step) {
      await touch(cdp, 'touchMove', [{ x: from.x + (to.x - from.x) * step / 5,
                                       y: from.y + (to.y - from.y) * step / 5, id: 1 }]);
    }
    await touch(cdp, 'touchEnd', []);
  }
  // Two fingers spread apart.
  await touch(cdp, 'touchStart', [{ x: 180, y: 400, id: 1 }, { x: 210, y: 400, id: 2 }]);
  for (let step = 1; step <= 10; ++step) {
    await touch(cdp, 'touchMove', [{ x: 180 - 15 * step, y: 400, id: 1 },
                                   { x: 210 + 15 * step, y: 400, id: 2 }]);
  }
  await touch(cdp, 'touchEnd', []);
  for (let i = 0; i < 2; ++i) {
    await touch(cdp, 'touchStart', [{ x: 195, y: 100, id: 1 }]);
    await touch(cdp, 'touchEnd', []);
  }
  await sleep(300);
  assert.deepEqual(await page.evaluate(() => [scrollX, scrollY, visualViewport.scale,
                                              visualViewport.offsetTop]), [0, 0, 1, 0]);
  assert.deepEqual(errors, []);
  await close();
});

test('after one visit the page starts with the network off, and Chromium finds it installable', async () => {
  const profile = mkdtempSync(join(tmpdir(), 'zentor-profile-'));
  const own = await serve(work);
  const context = await launchChromiumProfile(profile, kDesktop);
  try {
    const page = context.pages()[0] ?? await context.newPage();
    const cdp = await context.newCDPSession(page);
    const errors = await pageErrors(page);
    await page.goto(`${own.address}/index.html`);
    assert.equal((await cachesOnceKept(page)).length, 1, 'the site is not kept in one cache');
    let installability;
    await waitFor('no installability errors', 10, async () => {
      ({ installabilityErrors: installability } = await cdp.send('Page.getInstallabilityErrors'));
      return installability.length === 0;
    }).catch(error => assert.fail(`${error.message}: ${JSON.stringify(installability)}`));

    // Offline with nothing in the browser's own cache: the page has only what its worker kept.
    own.server.kill();
    await cdp.send('Network.clearBrowserCache');
    await context.setOffline(true);
    await page.reload();
    await waitFor('the first picture offline', 10, async () =>
      pictures.isColour(pictures.readPng(await page.screenshot()), 20, 130, pictures.kPanelGreen))
      .catch(async error =>
        assert.fail(`${error.message}; the page says "${await page.textContent('#sentence')}"`));
    await page.keyboard.press('Space');
    assert.ok(await scoreMoves(page), 'the space bar does not start the game offline');
    await page.goto(`${own.address}/`);
    await waitFor('the site\'s folder offline', 10, async () =>
      pictures.isColour(pictures.readPng(await page.screenshot()), 20, 130, pictures.kPanelGreen));
    assert.deepEqual(errors, []);
  } finally {
    await context.close();
    own.server.kill();
    rmSync(profile, { recursive: true, force: true });
  }
});

test('a new version is taken between games: not during one, but at the next load', async () => {
  const copy = siteCopy(site);
  const worker = join(copy, 'sw.js');
  const first = readFileSync(worker, 'utf8');
  const version = /const kVersion = '([0-9a-f]+)'/.exec(first)[1];
  unlinkSync(worker);
  writeFileSync(worker, first);
  const own = await serve(copy);
  const { page, errors, close } = await open(kDesktop, { at: own.address });
  try {
    assert.deepEqual(await cachesOnceKept(page), [`zentor-${version}`]);
    await page.evaluate(() => { window.sameLoad = true; });
    // A game begun, then paused: a game that a reload would lose.
    await page.keyboard.press('Space');
    await sleep(100);
    await page.keyboard.press('KeyP');
    writeFileSync(worker, first.replace(version, 'next'));
    await page.evaluate(async () => {
      const registration = await navigator.serviceWorker.getRegistration();
      await registration.update();
      window.newWorker = registration.installing ?? registration.waiting;
    });
    // The new version's worker: installing, then installed and waiting while the game lasts; a
    // page reloaded meanwhile has lost the game.
    const newVersion = () =>
      page.evaluate(() => (window.sameLoad ? `the new version ${window.newWorker?.state}`
                                            : 'the page reloaded'))
        .catch(() => 'the page reloaded');
    await waitFor('the new version installed', 20, async () => {
      const state = await newVersion();
      assert.match(state, /version install(ing|ed)$/, `${state} in a game`);
      return state.endsWith('installed');
    });
    await sleep(1000);
    assert.equal(await newVersion(), 'the new version installed', 'the update taken in a game');
    assert.deepEqual(await page.evaluate(() => caches.keys()), [`zentor-${version}`, 'zentor-next']);

    // The next load takes it before the first game, reloading itself once more.
    await page.reload();
    await waitFor('the new version', 10, async () =>
      JSON.stringify(await page.evaluate(() => caches.keys()).catch(() => [])) ===
        '["zentor-next"]');
    await waitFor('the first picture of the new version', 10, async () =>
      pictures.isColour(pictures.readPng(await page.screenshot()), 20, 130, pictures.kPanelGreen));
    assert.deepEqual(errors, []);
  } finally {
    await close();
    own.server.kill();
    rmSync(copy, { recursive: true, force: true });
  }
});
