// The page in Firefox ESR or WebKitGTK (ZENTOR_ENGINE: firefox or webkit), as page.test.mjs plays
// it in Chromium: the first picture and the last of a watched script are zentor-replay's, every
// pixel, and the keys play the game up to its game-over box.
//
// Environment: ZENTOR_ENGINE; ZENTOR_SITE, the built site (build-web/site); ZENTOR_REPLAY, the
// desktop build's zentor-replay, which draws the pictures that the page must show.
import assert from 'node:assert/strict';
import { readFileSync, rmSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { after, before, test } from 'node:test';
import { setTimeout as sleep } from 'node:timers/promises';

import { serve, siteWithPictures, waitFor } from './browser.mjs';
import { launch } from './engines.mjs';
import * as pictures from './pictures.mjs';

const engineName = process.env.ZENTOR_ENGINE ?? 'firefox';
const site = resolve(process.env.ZENTOR_SITE ?? 'build-web/site');
const replayTool = resolve(process.env.ZENTOR_REPLAY ?? 'build/zentor-replay');

let work, server, address, engine;

before(async () => {
  work = siteWithPictures(site, replayTool);
  ({ server, address } = await serve(work));
  engine = await launch(engineName);
});

after(async () => {
  await engine?.close();
  server?.kill();
  rmSync(work, { recursive: true, force: true });
});

async function picture(tab) {
  return pictures.fromDataAddress(await tab.run(pictures.canvasInPage));
}

async function firstPicture(tab) {
  await waitFor('the first picture', 20, async () =>
    pictures.isColour(await picture(tab), 20, 130, pictures.kPanelGreen));
}

function expected(file) {
  return pictures.readPng(readFileSync(join(work, file)));
}

test(`${engineName}: the first picture is zentor-replay's, the title is the caption`, async () => {
  const tab = await engine.open(`${address}/index.html`);
  await firstPicture(tab);
  pictures.assertSame(await picture(tab), expected('first.png'), 'the first picture');
  assert.equal(await tab.run(() => document.title), 'Zentor the rocks By: Marbeck');
  assert.deepEqual(await tab.errors(), []);
  await tab.close();
});

test(`${engineName}: the space bar starts, an arrow moves the square, P pauses, the box shows`, async () => {
  const tab = await engine.open(`${address}/index.html`);
  await firstPicture(tab);
  const start = pictures.squareAt(await picture(tab));
  // Started, steered for a moment and paused, too briefly for a rock to reach the square.
  await tab.keys([['press', 'Space'], ['down', 'ArrowLeft'], ['pause', 200], ['press', 'KeyP'],
                  ['up', 'ArrowLeft']]);
  // The engine may deliver P a frame or two after the test sent it: paused, the picture stays.
  let paused = await picture(tab);
  await waitFor('P pausing the game', 5, async () => {
    await sleep(300);
    const shown = await picture(tab);
    const still = pictures.difference(paused, shown).count === 0;
    paused = shown;
    return still;
  });
  assert.ok(!pictures.boxShown(paused), 'the game ended instead of pausing');
  assert.ok(!pictures.areaOf(paused, pictures.kScore)
    .equals(pictures.areaOf(expected('first.png'), pictures.kScore)), 'the space bar does not start');
  assert.ok(pictures.squareAt(paused).x < start.x - 20, 'the square does not go left');
  await tab.press('Space');
  await waitFor('a game over', 60, async () => pictures.boxShown(await picture(tab)));
  await tab.press('Enter');
  await waitFor('Enter closing the box, the buttons shown', 5, async () => {
    const shown = await picture(tab);
    return !pictures.boxShown(shown) && pictures.buttonsShown(shown);
  });
  assert.deepEqual(await tab.errors(), []);
  await tab.close();
});

test(`${engineName}: ?play=FILE ends on zentor-replay's last picture`, async () => {
  const tab = await engine.open(`${address}/index.html?play=watched.replay`);
  await waitFor('the last picture', 30, async () => {
    const shown = await picture(tab);
    return !pictures.boxShown(shown) && pictures.buttonsShown(shown);
  });
  await sleep(500);
  pictures.assertSame(await picture(tab), expected('last.png'), 'the last picture of the script');
  assert.deepEqual(await tab.errors(), []);
  await tab.close();
});
