// What the page's test and bench/compare-web.mjs share: a static web server for a folder on
// 127.0.0.1, Debian's Chromium launched as both need it, and a wait for a condition with a limit.
import { execFileSync, spawn } from 'node:child_process';
import { mkdtempSync, readdirSync, rmSync, symlinkSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { setTimeout as sleep } from 'node:timers/promises';

import { chromium } from 'playwright-core';

// Headless, and nothing that would reach the network behind the page's back.
const kChromiumFlags = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic',
                        '--no-first-run', '--disable-background-networking',
                        '--disable-component-update', '--disable-sync'];

export function launchChromium() {
  return chromium.launch({ executablePath: '/usr/bin/chromium', args: kChromiumFlags });
}

// Chromium with a profile of its own in `folder`, as a visitor's is: not incognito, so that a page
// may be installed.
export function launchChromiumProfile(folder, options = {}) {
  return chromium.launchPersistentContext(folder, { executablePath: '/usr/bin/chromium',
                                                    args: kChromiumFlags, ...options });
}

// Serves `directory` on a free port of 127.0.0.1: the server's process, and the site's address.
export async function serve(directory) {
  const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1',
                                   '--directory', directory],
                       { stdio: ['ignore', 'pipe', 'ignore'] });
  const port = await new Promise((resolve, reject) => {
    let said = '';
    server.stdout.on('data', chunk => {
      said += chunk;
      const found = /port (\d+)/.exec(said);
      if (found) {
        resolve(found[1]);
      }
    });
    server.on('exit', status => reject(new Error(`the web server ended with status ${status}`)));
  });
  return { server, address: `http://127.0.0.1:${port}` };
}

// Polls `check` until it is true; fails, naming `what`, after `seconds` of wall-clock time.
export async function waitFor(what, seconds, check) {
  const deadline = Date.now() + seconds * 1000;
  while (!(await check())) {
    if (Date.now() > deadline) {
      throw new Error(`${what}: not within ${seconds} s`);
    }
    await sleep(50);
  }
}

// The rock speeds a game draws at load; any will do for the first picture.
export const kLoad =
  'random 0.0033112583 0.4668874 0.0033112583 0.9966887 0.0033112583 0.0033112583\n' +
  'random 0.0033112583 0.0033112583 0.0033112583 0.0033112583 0.0033112583 0.0033112583\n' +
  'load\n';
// A game that a rock ends on its 42nd tick, watched to a little past its end.
export const kWatched = `${kLoad}keydown 32\nkeydown 37\ntick 16\nkeyup 37\ntick 26\ntick 20\n`;

// A test file's site: the folder `work` served, and Chromium to open it in; `close` ends both
// and removes the folder.
export async function servedInChromium(work) {
  const { server, address } = await serve(work);
  const browser = await launchChromium();
  return {
    address,
    browser,
    async close() {
      await browser.close();
      server.kill();
      rmSync(work, { recursive: true, force: true });
    },
  };
}

// A script that cannot be played.
export const kMalformed = `${kLoad}keydown 32\nspin 3\n`;

// A copy of the site to serve, whose files a test may add to or change: links to the built files.
export function siteCopy(site) {
  const work = mkdtempSync(join(tmpdir(), 'zentor-web-'));
  for (const file of readdirSync(site)) {
    symlinkSync(join(site, file), join(work, file));
  }
  return work;
}

// Run in the page before its own scripts: each breach of the page's Content-Security-Policy,
// something that the page would run or load and its policy forbids, logged as an error and kept
// in window.zentorViolations.
export function watchViolations() {
  window.zentorViolations = [];
  document.addEventListener('securitypolicyviolation', event => {
    const breach = `securitypolicyviolation: ${event.effectiveDirective} ${event.blockedURI}`;
    window.zentorViolations.push(breach);
    console.error(breach);
  });
}

// The errors a page raises, as they come: its faults, what it logs as an error and what its
// policy forbids, in every page it loads from now on (a playwright-core or puppeteer-core page).
export async function pageErrors(page) {
  const errors = [];
  page.on('pageerror', error => errors.push(`page error: ${error.message}`));
  page.on('console', message => {
    if (message.type() === 'error') {
      errors.push(`console error: ${message.text()}`);
    }
  });
  await (page.addInitScript ?? page.evaluateOnNewDocument).call(page, watchViolations);
  return errors;
}

// A folder to serve: the site's files, the script watched.replay, and the pictures the page must
// show, drawn by the desktop build's zentor-replay: first.png, the first picture, and last.png,
// the last of watched.replay.
export function siteWithPictures(site, replayTool) {
  const work = siteCopy(site);
  writeFileSync(join(work, 'watched.replay'), kWatched);
  const replay = script => execFileSync(replayTool, ['-'], { cwd: work, input: script });
  replay(`${kLoad}screenshot first.png\n`);
  replay(`${kWatched}screenshot last.png\n`);
  return work;
}
