// The game's page in Debian's Chromium, driven by playwright-core, served from 127.0.0.1 by a
// static server that the test starts on a free port. It plays the page as a person would and
// looks at what it shows: the first picture is zentor-replay's; the keys, the game-over box, the
// mouse and touch work; losing the focus or hiding the tab pauses; the picture fills any window
// at the device's pixels; ?play=FILE ends on zentor-replay's last picture, and a script that
// cannot be played, or a module that does not load, gets its sentence. A script slipped into the
// page does not run; no page raises an error or breaks its Content-Security-Policy.
//
// Environment: ZENTOR_SITE, the built site (build-web/site); ZENTOR_REPLAY, the desktop build's
// zentor-replay, which draws the pictures that the page must show.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync, writeFileSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { after, before, test } from 'node:test';
import { setTimeout as sleep } from 'node:timers/promises';

import { kLoad, kMalformed, pageErrors, servedInChromium, siteWithPictures, waitFor }
  from './browser.mjs';
import * as pictures from './pictures.mjs';

const site = resolve(process.env.ZENTOR_SITE ?? 'build-web/site');
const replayTool = resolve(process.env.ZENTOR_REPLAY ?? 'build/zentor-replay');
// The window's caption, as a page title shows it (without the leading blank).
const kCaption = 'Zentor the rocks By: Marbeck';


let work, served, address, browser;

before(async () => {
  work = siteWithPictures(site, replayTool);
  writeFileSync(join(work, 'bad.replay'), kMalformed);
  served = await servedInChromium(work);
  ({ address, browser } = served);
});

after(() => served?.close());

// A page in a browser window of its own, and the errors it raises.
async function open(path, { width = 992, height = 821, ratio = 1, touch = false, refuse } = {}) {
  const context = await browser.newContext({ viewport: { width, height },
                                             deviceScaleFactor: ratio, hasTouch: touch });
  const page = await context.newPage();
  if (refuse) {
    // A file of the site that the network does not bring.
    await page.route(`**/${refuse}`, route => route.abort());
  }
  const errors = await pageErrors(page);
  const started = Date.now();
  await page.goto(`${address}/${path}`);
  return { page, errors, started, close: () => context.close() };
}

// What the page shows: its canvas's pixels.
async function picture(page) {
  return pictures.fromDataAddress(await page.evaluate(pictures.canvasInPage));
}

async function firstPicture(page) {
  await waitFor('the first picture', 10, async () =>
    pictures.isColour(await picture(page), 20, 130, pictures.kPanelGreen));
}

function assertLooksLike(shown, expectedFile, what) {
  pictures.assertSame(shown, pictures.readPng(readFileSync(join(work, expectedFile))), what);
}

// Whether the score's caption changes within a second, or stays for half a second.
async function scoreMoves(page) {
  const before = pictures.areaOf(await picture(page), pictures.kScore);
  const deadline = Date.now() + 1000;
  while (Date.now() < deadline) {
    if (!pictures.areaOf(await picture(page), pictures.kScore).equals(before)) {
      return true;
    }
  }
  return false;
}
async function scoreStays(page) {
  const before = pictures.areaOf(await picture(page), pictures.kScore);
  await sleep(500);
  return pictures.areaOf(await picture(page), pictures.kScore).equals(before);
}

async function playUntilBox(page) {
  await waitFor('a game over', 60, async () => pictures.boxShown(await picture(page)));
}

test('the first picture is zentor-replay\'s, shown within 3 s, the title is the caption', async () => {
  const { page, errors, started, close } = await open('index.html');
  await firstPicture(page);
  const shownAfter = Date.now() - started;
  assert.ok(shownAfter < 3000, `the first picture came ${shownAfter} ms after the navigation`);
  assertLooksLike(await picture(page), 'first.png', 'the first picture at 992 x 821');
  assert.equal(await page.title(), kCaption);
  const scrolls = await page.evaluate(() =>
    [document.documentElement.scrollWidth > innerWidth,
     document.documentElement.scrollHeight > innerHeight]);
  assert.deepEqual(scrolls, [false, false], 'the page scrolls');
  assert.deepEqual(errors, []);

  // What a link or a file could slip into the page does not run: its policy refuses it, and says
  // so.
  const injected = await page.evaluate(async () => {
    const script = document.createElement('script');
    script.textContent = 'window.injected = true;';
    document.body.append(script);
    const image = document.createElement('img');
    image.setAttribute('onerror', 'window.injected = true;');
    image.src = 'missing.png';
    document.body.append(image);
    await new Promise(resolve => image.addEventListener('error', resolve));
    return window.injected ?? false;
  });
  assert.equal(injected, false, 'an injected script runs');
  assert.equal(errors.filter(error => /securitypolicyviolation: script-src/.test(error)).length,
               2, errors.join('\n'));
  await close();
});

// Holds `key` for a moment and pauses with P, so that the game runs too briefly for a rock to
// reach the square however slowly the test looks at it. The rocks fall from above the field and
// need 25 ticks at least to reach the square.
async function steer(page, key) {
  await page.keyboard.press('Space');
  await page.keyboard.down(key);
  await sleep(200);
  await page.keyboard.press('KeyP');
  await page.keyboard.up(key);
}

// Hides the tab and shows it again, as switching to another tab and back does.
function hideTab() {
  const hide = hidden => {
    Object.defineProperty(document, 'hidden', { value: hidden, configurable: true });
    Object.defineProperty(document, 'visibilityState',
                          { value: hidden ? 'hidden' : 'visible', configurable: true });
    document.dispatchEvent(new Event('visibilitychange'));
  };
  hide(true);
  hide(false);
}

test('keys, the game-over box, Enter, the mouse and touch play the game; blur and a hidden tab pause it', async () => {
  const { page, errors, close } = await open('index.html', { touch: true });
  await firstPicture(page);
  const start = pictures.squareAt(await picture(page));

  await page.keyboard.press('Space');
  assert.ok(await scoreMoves(page), 'the space bar does not start the game');
  await page.keyboard.press('KeyP');
  assert.ok(await scoreStays(page), 'P does not pause the game');
  await steer(page, 'ArrowDown');
  assert.ok(pictures.squareAt(await picture(page)).y > start.y + 20, 'the square does not go down');
  await steer(page, 'ArrowLeft');
  assert.ok(pictures.squareAt(await picture(page)).x < start.x - 20, 'the square does not go left');

  await page.keyboard.press('Space');
  await playUntilBox(page);
  const boxed = await picture(page);
  await sleep(300);
  assert.equal(pictures.difference(boxed, await picture(page)).count, 0,
               'the game goes on while the box is open');
  await page.keyboard.press('Enter');
  await waitFor('Enter closing the box, the buttons shown', 3, async () => {
    const shown = await picture(page);
    return !pictures.boxShown(shown) && pictures.buttonsShown(shown);
  });
  await page.keyboard.press('Enter');
  await waitFor('Enter restarting, the buttons gone, the square back', 3, async () => {
    const shown = await picture(page);
    return !pictures.buttonsShown(shown) && pictures.squareAt(shown)?.x === start.x;
  });

  // Each pause follows its resume at once, for the same reason as steer's.
  await page.keyboard.press('Space');
  await page.evaluate(() => window.dispatchEvent(new FocusEvent('blur')));
  assert.ok(await scoreStays(page), 'the game goes on after the page lost the focus');
  await page.evaluate(() => window.dispatchEvent(new FocusEvent('focus')));
  await page.keyboard.press('Space');
  await page.evaluate(hideTab);
  assert.ok(await scoreStays(page), 'the game goes on after the tab was hidden');
  await page.evaluate(() => window.dispatchEvent(new FocusEvent('focus')));
  await page.keyboard.press('Space');
  assert.ok(await scoreMoves(page), 'the space bar does not resume the game');

  await playUntilBox(page);
  await page.touchscreen.tap(pictures.kOkButton.x, pictures.kOkButton.y);
  await waitFor('a touch on OK closing the box', 3, async () =>
    pictures.buttonsShown(await picture(page)));
  await page.mouse.click(pictures.kRestartButton.x, pictures.kRestartButton.y);
  await waitFor('a click on "Click me to restart" restarting', 3, async () =>
    !pictures.buttonsShown(await picture(page)));
  assert.deepEqual(errors, []);
  await close();
});

test('?play=FILE watches a script: P pauses, Space resumes, the box closes by itself, the last picture stays, Escape ends', async () => {
  const { page, errors, close } = await open('index.html?play=watched.replay');
  await firstPicture(page);
  await page.keyboard.press('KeyP');
  const paused = await picture(page);
  await sleep(500);
  assert.equal(pictures.difference(paused, await picture(page)).count, 0, 'P does not pause');
  await page.keyboard.press('Space');
  await waitFor('the game-over box', 10, async () => pictures.boxShown(await picture(page)));
  await waitFor('the last picture', 10, async () => {
    const shown = await picture(page);
    return !pictures.boxShown(shown) && pictures.buttonsShown(shown);
  });
  await sleep(500);
  assertLooksLike(await picture(page), 'last.png', 'the last picture of the script');
  await page.keyboard.press('Escape');
  await waitFor('Escape ending the playback', 5, async () =>
    (await page.textContent('#sentence')) === 'Zentor has ended. Reload the page to play again.');
  assert.deepEqual(errors, []);
  await close();
});

test('a script that cannot be played shows its sentence and nothing runs', async () => {
  let refusal = '';
  try {
    execFileSync(replayTool, ['bad.replay'], { cwd: work, stdio: ['ignore', 'ignore', 'pipe'] });
  } catch (failure) {
    refusal = failure.stderr.toString().trim();
  }
  assert.match(refusal, /^zentor-replay: line 5: /);
  const sentence = `zentor: bad.replay: ${refusal.replace(/^zentor-replay: /, '')}`;

  const bad = await open('index.html?play=bad.replay');
  await waitFor('the sentence', 10, async () =>
    (await bad.page.textContent('#sentence')) === sentence);
  assert.equal(await bad.page.title(), 'Zentor', 'the window opened');
  assert.deepEqual(bad.errors, []);
  await bad.close();

  const missing = await open('index.html?play=missing.replay');
  await waitFor('the sentence', 10, async () =>
    /^zentor: cannot fetch missing\.replay: 404\b/.test(await missing.page.textContent('#sentence')));
  assert.equal(await missing.page.title(), 'Zentor', 'the window opened');
  await missing.close();

  const noModule = await open('index.html', { refuse: 'zentor.js' });
  await waitFor('the sentence', 10, async () =>
    (await noModule.page.textContent('#sentence')) === 'zentor: cannot load zentor.js');
  await noModule.close();
});

test('the picture fills any window letterboxed, follows its size, at the device\'s pixels', async () => {
  const wide = await open('index.html', { width: 1300, height: 700 });
  await waitFor('the first picture', 10, async () =>
    pictures.isColour(await picture(wide.page), 244, 111, pictures.kPanelGreen));
  // The picture 700 / 821 of its size, centred: 846 pixels wide from 227, bars beside it.
  const shown = await picture(wide.page);
  for (const [x, y, colour] of [[100, 350, pictures.kBlack], [1200, 350, pictures.kBlack],
                                [244, 111, pictures.kPanelGreen],
                                [1057, 102, pictures.kPanelGreen],
                                [253, 600, pictures.kFieldGrey],
                                [1045, 600, pictures.kFieldGrey]]) {
    assert.deepEqual(pictures.colourAt(shown, x, y), colour, `at ${x},${y} in 1300 x 700`);
  }
  await wide.page.setViewportSize({ width: 992, height: 821 });
  const first = pictures.readPng(readFileSync(join(work, 'first.png')));
  await waitFor('the picture redrawn at 992 x 821', 5, async () => {
    const redrawn = await picture(wide.page);
    return redrawn.width === first.width && redrawn.height === first.height &&
           pictures.difference(redrawn, first).count === 0;
  });
  assert.deepEqual(wide.errors, []);
  await wide.close();

  const dense = await open('index.html', { ratio: 2 });
  await waitFor('the first picture', 10, async () =>
    pictures.isColour(await picture(dense.page), 40, 260, pictures.kPanelGreen));
  assert.deepEqual(await dense.page.evaluate(() => [canvas.width, canvas.height]), [1984, 1642]);
  const sharp = await picture(dense.page);
  assert.deepEqual([sharp.width, sharp.height], [1984, 1642]);
  assert.deepEqual(pictures.colourAt(sharp, 60, 400), pictures.kFieldGrey);
  assert.deepEqual(dense.errors, []);
  await dense.close();
});
