// Saving, sharing and watching games in the page (web/share.js), in Debian's Chromium as
// page.test.mjs plays it: a game played by keys is saved and the desktop's zentor-replay of the
// file draws the page's last picture; its link, opened in a fresh page, ends on that picture; a
// file given to the page is watched; a damaged, cut or oversized link shows its sentence and runs
// nothing. The link of a whole game is measured.
//
// Environment: ZENTOR_SITE, the built site (build-web/site); ZENTOR_REPLAY, the desktop build's
// zentor-replay.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync, writeFileSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { after, before, test } from 'node:test';
import { setTimeout as sleep } from 'node:timers/promises';
import { deflateSync, inflateSync } from 'node:zlib';

import { kMalformed, kWatched, pageErrors, servedInChromium, siteCopy, waitFor }
  from './browser.mjs';
import * as pictures from './pictures.mjs';

const site = resolve(process.env.ZENTOR_SITE ?? 'build-web/site');
const replayTool = resolve(process.env.ZENTOR_REPLAY ?? 'build/zentor-replay');
const here = new URL('.', import.meta.url).pathname;

let work, served, address, browser;

before(async () => {
  work = siteCopy(site);
  execFileSync(replayTool, ['-'], { cwd: work, input: `${kWatched}screenshot watched.png\n` });
  served = await servedInChromium(work);
  ({ address, browser } = served);
});

after(() => served?.close());

// A page in a window of its own that keeps the game's states, and the errors it raises.
async function open(path, { clipboard = false, touch = false } = {}) {
  const context = await browser.newContext({ viewport: { width: 992, height: 821 },
                                             hasTouch: touch });
  if (clipboard) {
    await context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: address });
  }
  await context.addInitScript(() => {
    window.gameStates = [];
    window.addEventListener('gamestate', event => window.gameStates.push(event.detail));
  });
  const page = await context.newPage();
  const errors = await pageErrors(page);
  await page.goto(`${address}/${path}`);
  return { page, errors, close: () => context.close() };
}

// The canvas's own pixels: the actions' bar over it is no part of the picture.
async function picture(page) {
  const url = await page.evaluate(() => document.getElementById('canvas').toDataURL('image/png'));
  return pictures.readPng(Buffer.from(url.replace(/^data:image\/png;base64,/, ''), 'base64'));
}

// Within page.test.mjs's tolerance; a canvas that the game has not sized yet is not.
function looksLike(shown, expected) {
  return shown.width === expected.width && shown.height === expected.height &&
         pictures.difference(shown, expected).share < 0.01;
}

async function stateBecomes(page, state, seconds) {
  await waitFor(`the state ${state}`, seconds, () =>
    page.evaluate(wanted => window.gameStates.at(-1) === wanted, state));
}

const button = (page, name) => page.getByRole('button', { name, exact: true });

async function visible(page, name) {
  return button(page, name).isVisible();
}

// The page's sentence once it is `wanted`, and that the program never ran: no window opened.
async function refused(path, wanted) {
  const { page, errors, close } = await open(path);
  await waitFor(`the sentence "${wanted}"`, 10, async () =>
    (await page.textContent('#sentence')) === wanted);
  assert.equal(await page.title(), 'Zentor', `${path}: the window opened`);
  assert.deepEqual(await page.evaluate(() => window.gameStates), [], `${path}: a game ran`);
  assert.deepEqual(errors, []);
  await close();
}

test('a game played to a game over is saved and shared: zentor-replay of the file, and the link in a fresh page, end on the page\'s last picture', async () => {
  const { page, errors, close } = await open('index.html', { clipboard: true });
  await waitFor('the first picture', 10, async () =>
    pictures.isColour(await picture(page), 20, 130, pictures.kPanelGreen));
  await stateBecomes(page, 'waiting', 5);
  assert.deepEqual([await visible(page, 'Save game'), await visible(page, 'Share game'),
                    await visible(page, 'Watch a game file')], [false, false, true],
                   'before the first game, only the file to watch is offered');
  await page.keyboard.press('Space');
  await stateBecomes(page, 'running', 5);
  assert.equal(await visible(page, 'Watch a game file'), false, 'the bar shows while the game runs');
  await waitFor('a game over', 60, async () => pictures.boxShown(await picture(page)));
  // The game's last tick is recorded once the box is closed: the bar waits for it.
  assert.equal(await page.evaluate(() => window.gameStates.at(-1)), 'box',
               'the page is not told that the box is open');
  assert.equal(await visible(page, 'Watch a game file'), false, 'the bar shows over the box');
  await page.keyboard.press('Enter');
  await stateBecomes(page, 'over', 3);
  await waitFor('Enter closing the box', 3, async () => {
    const shown = await picture(page);
    return !pictures.boxShown(shown) && pictures.buttonsShown(shown);
  });
  const last = await picture(page);

  // By the keyboard: Tab reaches the button, Enter on it saves, and the game, which would
  // restart on Enter, does not hear it.
  await page.keyboard.press('Tab');
  assert.equal(await page.evaluate(() => document.activeElement.textContent), 'Save game');
  const [download] = await Promise.all([page.waitForEvent('download'),
                                        page.keyboard.press('Enter')]);
  assert.match(download.suggestedFilename(), /^zentor-\d{4}-\d\d-\d\d-\d{6}\.replay$/);
  const recording = readFileSync(await download.path());
  await sleep(300);
  assert.ok(pictures.buttonsShown(await picture(page)), 'Enter on "Save game" restarted the game');
  assert.match(await page.textContent('#share-said'), /^Saved as zentor-/);
  execFileSync(replayTool, ['-'], {
    cwd: work, input: Buffer.concat([recording, Buffer.from('screenshot saved.png\n')]) });
  const drawn = pictures.readPng(readFileSync(join(work, 'saved.png')));
  const differ = pictures.difference(last, drawn);
  assert.ok(differ.share < 0.01,
            `${differ.count} pixels differ from zentor-replay's, around ${differ.around}`);

  // By a click: the link is copied; it holds the saved file.
  await button(page, 'Share game').click();
  await waitFor('the link copied', 5, async () =>
    (await page.textContent('#share-said')) === 'Link copied');
  const link = await page.evaluate(() => navigator.clipboard.readText());
  assert.ok(link.startsWith(`${address}/index.html#play=`), link);
  const fragment = link.slice(link.indexOf('#play=') + 6);
  assert.match(fragment, /^[A-Za-z0-9_-]+$/);
  assert.deepEqual(inflateSync(Buffer.from(fragment, 'base64url')), recording);
  assert.deepEqual(errors, []);
  await close();

  const watch = await open(link.slice(address.length + 1));
  await waitFor('the game\'s last picture', 30, async () =>
    looksLike(await picture(watch.page), drawn));
  assert.equal(await visible(watch.page, 'Save game'), false, 'a watched game offers itself');
  assert.deepEqual(watch.errors, []);
  await watch.close();
});

test('a paused game offers its link by touch; a link that cannot be copied says so and offers the file', async () => {
  const { page, errors, close } = await open('index.html', { touch: true });
  await stateBecomes(page, 'waiting', 10);
  await page.keyboard.press('Space');
  await page.keyboard.press('KeyP');
  await stateBecomes(page, 'waiting', 5);
  for (const [refuse, sentence] of [
    [() => { navigator.clipboard.writeText = () => Promise.reject(new DOMException('no', 'NotAllowedError')); },
     'The link cannot be copied (permission refused): save the game as a file instead'],
    [() => Object.defineProperty(Navigator.prototype, 'clipboard', { get: () => undefined }),
     'The link cannot be copied (no clipboard here): save the game as a file instead'],
  ]) {
    await page.evaluate(refuse);
    await button(page, 'Share game').tap();
    await waitFor(`"${sentence}"`, 5, async () =>
      (await page.textContent('#share-said')) === sentence);
    assert.ok(await visible(page, 'Save game'), 'the file is not offered');
  }
  // The touch left no focus behind: Space resumes the game and the bar goes.
  await page.keyboard.press('Space');
  await stateBecomes(page, 'running', 5);
  assert.equal(await visible(page, 'Share game'), false);
  assert.deepEqual(errors, []);
  await close();
});

test('a link or file that cannot be watched shows its sentence and runs nothing', async () => {
  const link = script => deflateSync(script).toString('base64url');
  const good = link(kWatched);
  // One character in the middle changed for another; cut short at a whole number of bytes.
  const middle = good.length >> 1;
  const changed = good.slice(0, middle) + (good[middle] === 'A' ? 'B' : 'A') + good.slice(middle + 1);
  const cut = good.slice(0, (good.length >> 2) * 4 - 4);
  // A length that no whole bytes give, and a last character whose unused bits are not zero.
  const longer = good + 'A'.repeat((5 - good.length % 4) % 4);
  const kAlphabet = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_';
  assert.notEqual(good.length % 4, 0, 'the link\'s last character has no unused bits');
  const unclean = good.slice(0, -1) + kAlphabet[kAlphabet.indexOf(good.at(-1)) | 1];
  const zeros = link(Buffer.alloc(16 * 1024 * 1024 + 1));
  let refusal = '';
  try {
    execFileSync(replayTool, ['-'], { input: kMalformed, stdio: ['pipe', 'ignore', 'pipe'] });
  } catch (failure) {
    refusal = failure.stderr.toString().trim().replace(/^zentor-replay: /, '');
  }
  assert.match(refusal, /^line 5: /);
  for (const [fragment, sentence] of [
    [changed, 'the link\'s game does not inflate'],
    [cut, 'the link\'s game does not inflate'],
    [`${good.slice(0, 8)}+${good.slice(9)}`, 'the link\'s game is not base64url'],
    [longer, 'the link\'s game is not base64url'],
    [unclean, 'the link\'s game is not base64url'],
    [zeros, 'the link\'s game is larger than 16 MiB'],
    [link(kMalformed), `the link's game: ${refusal}`],
  ]) {
    await refused(`index.html#play=${fragment}`, `zentor: ${sentence}`);
  }
});

test('a file dropped on the page or chosen with "Watch a game file", or a link pasted, is watched', async () => {
  const { page, errors, close } = await open('index.html');
  await stateBecomes(page, 'waiting', 10);
  const [chooser] = await Promise.all([page.waitForEvent('filechooser'),
                                       button(page, 'Watch a game file').click()]);
  // The page opens anew to watch the file.
  await Promise.all([page.waitForEvent('load'), chooser.setFiles({
    name: 'bad.replay', mimeType: 'text/plain', buffer: Buffer.from(kMalformed) })]);
  await waitFor('the sentence', 10, async () =>
    /^zentor: bad\.replay: line 5: /.test(await page.textContent('#sentence')));

  // Dragged from the desktop as the browser sees it: the drop comes only if the page took the
  // drag as it went over it.
  const file = join(work, 'watched.replay');
  writeFileSync(file, kWatched);
  const cdp = await page.context().newCDPSession(page);
  const drag = type => cdp.send('Input.dispatchDragEvent', {
    type, x: 496, y: 410, data: { items: [], files: [file], dragOperationsMask: 1 } });
  await drag('dragEnter');
  await drag('dragOver');
  const opened = page.waitForEvent('load', { timeout: 10000 }).catch(() =>
    assert.fail('the dropped file is not taken: the page does not open anew to watch it'));
  await drag('drop');
  await opened;
  const expected = pictures.readPng(readFileSync(join(work, 'watched.png')));
  await waitFor('the dropped game\'s last picture', 20, async () =>
    looksLike(await picture(page), expected));

  // A link pasted into the open page's address changes only its fragment: the page opens anew.
  await Promise.all([page.waitForEvent('load'), page.evaluate(fragment => {
    location.hash = `#play=${fragment}`;
  }, deflateSync(kMalformed).toString('base64url'))]);
  await waitFor('the link\'s sentence', 10, async () =>
    /^zentor: the link's game: line 5: /.test(await page.textContent('#sentence')));
  assert.deepEqual(errors, []);
  await close();
});

test('a link holds 1,000 ticks of a game in 8 KiB', async t => {
  const { page, close } = await open('index.html');
  const whole = readFileSync(join(here, 'whole_game.replay'), 'latin1');
  // The game's first lines up to its 1,000th tick.
  let ticks = 0;
  const lines = [];
  for (const line of whole.split('\n')) {
    const count = /^tick ?(\d*)$/.exec(line);
    if (count) {
      const more = Math.min(Number(count[1] || 1), 1000 - ticks);
      ticks += more;
      lines.push(`tick ${more}`);
      if (ticks === 1000) {
        break;
      }
    } else {
      lines.push(line);
    }
  }
  const sizes = await page.evaluate(async scripts => {
    const sizes = [];
    for (const script of scripts) {
      const bytes = new TextEncoder().encode(script);
      const link = await zentorShare.linkOf(bytes);
      const back = await zentorShare.scriptOfLink(link.slice(link.indexOf('#play=') + 6));
      sizes.push({ link: link.length, fragment: link.length - link.indexOf('#play=') - 6,
                   script: bytes.length, back: new TextDecoder().decode(back) === script });
    }
    return sizes;
  }, [`${lines.join('\n')}\n`, whole]);
  t.diagnostic(`1,000 ticks: ${JSON.stringify(sizes[0])}; whole game: ${JSON.stringify(sizes[1])}`);
  assert.ok(sizes.every(size => size.back), 'a link does not give back its script');
  assert.ok(sizes[0].link <= 8192, `the link of 1,000 ticks is ${sizes[0].link} characters`);
  await close();
});
