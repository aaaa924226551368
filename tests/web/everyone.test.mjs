// The page for everyone, in Debian's Chromium: Lighthouse finds nothing to fault in its
// accessibility, best practices and SEO, on a phone and a desktop; axe-core finds no violation of
// WCAG 2.0, 2.1 and 2.2 A and AA nor of its best practices, on both, while the game waits and
// while it is paused; a screen reader hears what the game says, in the game's own words (the
// status line, the final score, the box as an alert, the push buttons, which the keyboard
// reaches); a standard gamepad plugged in after the load starts the game and steers it.
//
// Environment: ZENTOR_SITE, the built site (build-web/site).
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { resolve } from 'node:path';
import { after, before, test } from 'node:test';
import { setTimeout as sleep } from 'node:timers/promises';

import { pageErrors, servedInChromium, siteCopy, waitFor } from './browser.mjs';
import { audit, failures, kFormFactors } from './lighthouse.mjs';
import * as pictures from './pictures.mjs';

const site = resolve(process.env.ZENTOR_SITE ?? 'build-web/site');
const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'),
                               'utf8');

const kDesktop = { viewport: { width: 992, height: 821 } };
const kPhone = { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, hasTouch: true,
                 isMobile: true };
// The game's captions, as it has them.
const kRunning = 'PRESS \'P\' TO PAUSE';
const kPaused = ' PRESS THE SPACE BAR TO START';

let served, address, browser;

before(async () => {
  served = await servedInChromium(siteCopy(site));
  ({ address, browser } = served);
});

after(() => served?.close());

// Run in the page before its scripts: every text its live regions take, in order, as
// [region, text], in window.zentorHeard.
function listen() {
  window.zentorHeard = [];
  document.addEventListener('DOMContentLoaded', () => {
    // One observer for both, which hears their changes in the order they came.
    const observer = new MutationObserver(records => {
      for (const region of new Set(records.map(record => record.target))) {
        if (region.textContent) {
          window.zentorHeard.push([region.id === 'game-said' ? 'said' : 'alert',
                                   region.textContent]);
        }
      }
    });
    for (const id of ['game-said', 'game-alert']) {
      observer.observe(document.getElementById(id), { childList: true });
    }
  });
}

async function open(device) {
  const context = await browser.newContext(device);
  const page = await context.newPage();
  const errors = await pageErrors(page);
  await page.addInitScript(listen);
  await page.goto(`${address}/index.html`);
  const heard = () => page.evaluate(() => window.zentorHeard);
  await waitFor('the game\'s first words', 10, async () => (await heard()).length > 0);
  return { page, errors, heard, close: () => context.close() };
}

// Waits until the live regions have said `count` texts in all.
async function saidSoFar(heard, count, what) {
  await waitFor(what, 10, async () => (await heard()).length >= count);
  return heard();
}

test('Lighthouse finds nothing to fault in accessibility, best practices and SEO, on a phone and a desktop', async () => {
  const kCategories = ['accessibility', 'best-practices', 'seo'];
  for (const form of kFormFactors) {
    const lhr = await audit(`${address}/`, form, kCategories);
    for (const category of kCategories) {
      assert.deepEqual(failures(lhr, category), [], `${form}: ${category} fails these audits`);
      assert.equal(lhr.categories[category].score, 1, `${form}: ${category} is not 100`);
    }
  }
});

test('axe-core finds no violation of WCAG 2.2 AA or its best practices, waiting and paused, on a desktop and a phone', async () => {
  const axe = page => page.evaluate(async source => {
    // Evaluated as the test's own code: the page's policy keeps any other script out.
    (0, eval)(source);
    const found = await window.axe.run(document, {
      runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa',
                                       'best-practice'] },
    });
    return found.violations.map(violation =>
      `${violation.id}: ${violation.help}: ${violation.nodes.map(node => node.html).join(' ')}`);
  }, axeSource);
  for (const [what, device] of [['a desktop', kDesktop], ['a phone', kPhone]]) {
    const { page, heard, close } = await open(device);
    assert.deepEqual(await axe(page), [], `${what}, waiting`);
    await page.keyboard.press('Space');
    await page.keyboard.press('KeyP');
    await waitFor('the game paused', 5, async () =>
      (await heard()).some(([, text]) => text.startsWith(kPaused)));
    assert.deepEqual(await axe(page), [], `${what}, paused`);
    await close();
  }
});

test('the canvas is the game\'s picture by name, and the page sits in landmarks with a title a screen reader finds', async () => {
  const { page, errors, close } = await open(kPhone);
  const canvas = page.getByRole('img', { name: /^Zentor/ });
  assert.equal(await canvas.evaluate(element => element.tagName), 'CANVAS');
  assert.equal(await page.getByRole('main').locator('canvas, #touch-controls').count(), 2,
               'the canvas and the touch controls are not in the main landmark');
  assert.equal(await page.getByRole('heading', { level: 1 }).textContent(), 'Zentor');
  const zoom = await page.locator('meta[name=viewport]').getAttribute('content');
  assert.doesNotMatch(zoom, /maximum-scale|user-scalable/, 'the page forbids zooming');
  assert.deepEqual(errors, []);
  await close();
});

test('a screen reader hears the status line, the score when paused and at the game\'s end, the box as an alert and the push buttons, which the keyboard presses', async () => {
  const { page, errors, heard, close } = await open(kDesktop);
  assert.deepEqual(await heard(), [['said', 'PRESS THE SPACE BAR TO START']]);

  await page.keyboard.press('Space');
  assert.deepEqual((await saidSoFar(heard, 2, 'the game running'))[1], ['said', kRunning]);
  await sleep(300);
  await page.keyboard.press('KeyP');
  const [, paused] = (await saidSoFar(heard, 3, 'the game paused'))[2];
  assert.match(paused, /^ PRESS THE SPACE BAR TO START\. Score [1-9]\d*, High Score 0$/);
  const tickedBeforePause = Number(/Score (\d+)/.exec(paused)[1]);
  // Nothing more is said while the game runs, tick after tick: only its end.
  await page.keyboard.press('Space');
  await page.keyboard.down('ArrowUp');
  await waitFor('a game over', 60, async () =>
    pictures.boxShown(pictures.fromDataAddress(await page.evaluate(pictures.canvasInPage))));
  await page.keyboard.up('ArrowUp');
  // The box, then the final score, then the push buttons once the box is closed.
  const over = await saidSoFar(heard, 6, 'the game\'s end');
  assert.deepEqual(over.slice(3, 5), [['said', kRunning], ['alert', 'YOU SUCK!\nGame Over']]);
  const [region, ended] = over[5];
  assert.equal(region, 'said');
  const final = Number(/^Score (\d+), High Score 0$/.exec(ended)?.[1]);
  assert.ok(final > tickedBeforePause, `the end said: ${ended}`);

  // The box closes; the keyboard reaches the push buttons' twins, shown while focused.
  await page.keyboard.press('Enter');
  assert.deepEqual((await saidSoFar(heard, 7, 'the push buttons'))[6],
                   ['said', 'Click me to restart. Click me to stop']);
  // After the share bar's own buttons.
  const restart = page.getByRole('button', { name: 'Click me to restart', exact: true });
  await waitFor('Tab reaching the twin of "Click me to restart"', 5, async () => {
    await page.keyboard.press('Tab');
    return restart.evaluate(button => button === document.activeElement);
  });
  const box = await restart.boundingBox();
  assert.ok(box.width > 24 && box.height > 24, 'the focused twin does not show');
  await page.keyboard.press('Enter');
  const restarted = await saidSoFar(heard, 8, 'the restart');
  assert.deepEqual(restarted[7], ['said', kPaused]);
  await page.keyboard.press('Space');
  await page.keyboard.press('KeyP');
  const best = (await saidSoFar(heard, 10, 'the game paused after the restart'))[9][1];
  assert.match(best, new RegExp(`High Score ${final}$`), 'the best score is not the last game\'s');
  assert.deepEqual(errors, []);
  await close();
});

// Run in the page before its scripts: one standard gamepad that the test plugs in and presses
// (window.zentorPad.plugIn(), .press(button, down)), as Chromium's navigator.getGamepads shows one.
function fakeGamepad() {
  const pad = {
    id: 'Test pad (STANDARD GAMEPAD Vendor: 0001 Product: 0002)', index: 0, connected: false,
    mapping: 'standard', timestamp: 0, axes: [0, 0, 0, 0], vibrationActuator: null,
    buttons: Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 })),
  };
  navigator.getGamepads = () => [pad.connected ? pad : null, null, null, null];
  window.zentorPad = {
    plugIn() {
      pad.connected = true;
      pad.timestamp = performance.now();
      const event = new Event('gamepadconnected');
      event.gamepad = pad;
      window.dispatchEvent(event);
    },
    press(button, down) {
      pad.buttons[button] = { pressed: down, touched: down, value: down ? 1 : 0 };
      pad.timestamp = performance.now();
    },
  };
}

test('a standard gamepad plugged in after the load starts the game with Start and steers with the D-pad', async () => {
  const context = await browser.newContext(kDesktop);
  const page = await context.newPage();
  const errors = await pageErrors(page);
  await page.addInitScript(fakeGamepad);
  await page.addInitScript(listen);
  await page.goto(`${address}/index.html`);
  const heard = () => page.evaluate(() => window.zentorHeard);
  await saidSoFar(heard, 1, 'the game\'s first words');
  const shown = async () =>
    pictures.fromDataAddress(await page.evaluate(pictures.canvasInPage));
  await waitFor('the first picture', 10, async () =>
    pictures.isColour(await shown(), 20, 130, pictures.kPanelGreen));
  const start = pictures.squareAt(await shown());
  await sleep(200);
  await page.evaluate(() => window.zentorPad.plugIn());
  // Start, then the D-pad's left (button 14) held a moment, then Back, which pauses.
  const kStart = 9, kLeft = 14, kBack = 8;
  const pressFor = async (button, ms) => {
    await page.evaluate(([b]) => window.zentorPad.press(b, true), [button]);
    await sleep(ms);
    await page.evaluate(([b]) => window.zentorPad.press(b, false), [button]);
  };
  await waitFor('Start starting the game', 10, async () => {
    await pressFor(kStart, 100);
    return (await heard()).some(([, text]) => text === kRunning);
  });
  await pressFor(kLeft, 300);
  await waitFor('Back pausing the game', 10, async () => {
    await pressFor(kBack, 100);
    return (await heard()).some(([, text]) => text.startsWith(kPaused));
  });
  const paused = pictures.squareAt(await shown());
  assert.ok(paused.x < start.x - 20, `the square went from ${start.x} to ${paused.x}, not left`);
  assert.equal(paused.y, start.y, 'the square went up or down');
  assert.deepEqual(errors, []);
  await context.close();
});
