// node bench/compare-web.mjs [BUILD-DIR] [WEB-SITE]: the page against the desktop game.
//   first picture   ms from the navigation to the first picture on the page, in headless
//                   Chromium at 992 x 821, served from 127.0.0.1 (each of RUNS loads), and in
//                   headless Firefox ESR (puppeteer-core)
//   transferred     the bytes of every file the page fetched, gzipped (gzip -6), as a server
//                   that compresses would send them
//   waiting         CPU while waiting for the space bar: the page (all of its Chromium's
//                   processes) and the desktop game (`zentor` under Xvfb and openbox), and a
//                   blank page in a Chromium of its own
//   playing         CPU while the page and the desktop game play the same long replay script
//                   (`?play=` and `--play`), the frames a second the page draws, and the CPU of
//                   bench/web-floor.html in a Chromium of its own: a bare canvas given as many
//                   new pixels 40 times a second, the floor of what a page pays for that
// Each figure compares programs run side by side, read over the same stretch of time (10 s
// waiting, PLAY_SECONDS playing). CPU times are the kernel's nanoseconds of run time of every
// thread (/proc/PID/task/*/schedstat), as a share of one core. Needs `make build`, `make web` and
// tests/web's node_modules (make test-web installs them).
import { execFileSync, spawn } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync, symlinkSync, copyFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { basename, join, resolve } from 'node:path';
import { gzipSync } from 'node:zlib';

import { launchChromium as launch, serve, waitFor } from '../tests/web/browser.mjs';
import { launchFirefoxBrowser } from '../tests/web/engines.mjs';

const root = resolve(new URL('..', import.meta.url).pathname);

const build = resolve(process.argv[2] ?? join(root, 'build'));
const site = resolve(process.argv[3] ?? join(root, 'build-web/site'));
const script = resolve(process.env.REPLAY ?? join(root, 'tests/picture/long_game.replay'));
const playSeconds = Number(process.env.PLAY_SECONDS ?? 20);
const runs = Number(process.env.RUNS ?? 5);

const work = mkdtempSync(join(tmpdir(), 'compare-web-'));
const started = [];
function start(command, args, options = {}) {
  const child = spawn(command, args, { stdio: ['ignore', 'pipe', 'ignore'], ...options });
  started.push(child);
  return child;
}
const pause = seconds => new Promise(resolve => setTimeout(resolve, seconds * 1000));

// Run time in nanoseconds of every thread of these processes and of all their descendants.
function cpuNs(pids) {
  const children = new Map();
  for (const entry of readdirSync('/proc').filter(name => /^\d+$/.test(name))) {
    try {
      const stat = readFileSync(`/proc/${entry}/stat`, 'latin1');
      const parent = stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1];
      children.set(parent, [...(children.get(parent) ?? []), entry]);
    } catch {
      // ended meanwhile
    }
  }
  let ns = 0;
  const visit = pid => {
    try {
      for (const task of readdirSync(`/proc/${pid}/task`)) {
        ns += Number(readFileSync(`/proc/${pid}/task/${task}/schedstat`, 'latin1').split(' ')[0]);
      }
    } catch {
      // ended meanwhile
    }
    (children.get(String(pid)) ?? []).forEach(visit);
  };
  pids.forEach(visit);
  return ns;
}

// The Chromium browsers this program has started: their top processes' ids.
function chromiums() {
  const found = new Set();
  for (const entry of readdirSync('/proc').filter(name => /^\d+$/.test(name))) {
    try {
      const stat = readFileSync(`/proc/${entry}/stat`, 'latin1');
      const parent = stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1];
      if (/^\(chrom/.test(stat.slice(stat.indexOf('('))) && parent === String(process.pid)) {
        found.add(Number(entry));
      }
    } catch {
      // ended meanwhile
    }
  }
  return found;
}

// A Chromium of its own, and its top process, below which all of its processes run.
async function launchChromium() {
  const before = chromiums();
  const browser = await launch();
  const [pid] = [...chromiums()].filter(found => !before.has(found));
  return { browser, pid };
}

// The CPU of groups of processes over the same stretch, as percents of one core.
async function cpuSideBySide(groups, seconds) {
  const before = groups.map(cpuNs);
  const from = process.hrtime.bigint();
  await pause(seconds);
  const after = groups.map(cpuNs);
  const elapsed = Number(process.hrtime.bigint() - from);
  return groups.map((_, i) => 100 * (after[i] - before[i]) / elapsed);
}

const median = values => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// Run in the page before its own scripts: the first picture is the frame after the first area
// put into the canvas, timed from the navigation; every frame is counted.
function timePictures() {
  window.zentorFrames = 0;
  let lastPut = -Infinity;
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function(...args) {
    const now = performance.now();
    if (!window.zentorFirstPut) {
      window.zentorFirstPut = now;
      requestAnimationFrame(time => { window.zentorFirstPicture = time; });
    }
    // The areas of one frame are put within one task.
    if (now - lastPut > 5) {
      ++window.zentorFrames;
    }
    lastPut = now;
    return put.apply(this, args);
  };
}

try {
  for (const file of readdirSync(site)) {
    symlinkSync(join(site, file), join(work, file));
  }
  copyFileSync(script, join(work, basename(script)));
  copyFileSync(join(root, 'bench/web-floor.html'), join(work, 'web-floor.html'));
  const { server, address } = await serve(work);
  started.push(server);

  const xvfb = start('Xvfb', ['-displayfd', '3', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
                     { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
  const display = await new Promise(resolve =>
    xvfb.stdio[3].on('data', data => resolve(`:${String(data).trim()}`)));
  const env = { ...process.env, DISPLAY: display };
  start('openbox', [], { env });
  await waitFor('openbox', 10, () => {
    try {
      execFileSync('wmctrl', ['-m'], { env, stdio: 'ignore' });
      return true;
    } catch {
      return false;
    }
  });

  const page = await launchChromium();
  // A new browser window each time: nothing cached.
  const open = async path => {
    const context = await page.browser.newContext({ viewport: { width: 992, height: 821 } });
    await context.addInitScript(timePictures);
    const tab = await context.newPage();
    const fetched = [];
    tab.on('response', response => fetched.push(new URL(response.url()).pathname.slice(1)));
    await tab.goto(`${address}/${path}`);
    await waitFor('the first picture', 10, () => tab.evaluate(() => window.zentorFirstPicture));
    return { tab, fetched, close: () => context.close() };
  };

  const firsts = [];
  let fetched = [];
  for (let run = 0; run < runs; ++run) {
    const loaded = await open('index.html');
    firsts.push(await loaded.tab.evaluate(() => window.zentorFirstPicture));
    fetched = loaded.fetched;
    await loaded.close();
  }
  // The same in Firefox, a browser context of its own each time.
  const firefox = await launchFirefoxBrowser();
  const firefoxFirsts = [];
  try {
    for (let run = 0; run < runs; ++run) {
      const context = await firefox.createBrowserContext();
      const tab = await context.newPage();
      await tab.setViewport({ width: 992, height: 821 });
      await tab.evaluateOnNewDocument(timePictures);
      await tab.goto(`${address}/index.html`);
      await waitFor('the first picture in Firefox', 10,
                    () => tab.evaluate(() => window.zentorFirstPicture));
      firefoxFirsts.push(await tab.evaluate(() => window.zentorFirstPicture));
      await context.close();
    }
  } finally {
    await firefox.close();
  }
  const sizes = fetched.map(file => {
    const bytes = readFileSync(join(work, file));
    return [file, bytes.length, gzipSync(bytes, { level: 6 }).length];
  });

  // Beside each, a Chromium of its own with a blank page, then with the bare canvas.
  const floor = await launchChromium();
  const floorContext = await floor.browser.newContext({ viewport: { width: 992, height: 821 } });
  const floorTab = await floorContext.newPage();
  const waitingGame = start(join(build, 'zentor'), [], { env });
  const waitingPage = await open('index.html');
  await pause(2);
  const waiting = await cpuSideBySide([[page.pid], [waitingGame.pid], [floor.pid]], 10);
  await waitingPage.close();
  waitingGame.kill();

  await floorTab.goto(`${address}/web-floor.html`);
  const playingGame = start(join(build, 'zentor'), ['--play', script], { env });
  const playingPage = await open(`index.html?play=${basename(script)}`);
  await pause(1);
  const framesBefore = await playingPage.tab.evaluate(() => window.zentorFrames);
  const playing = await cpuSideBySide([[page.pid], [playingGame.pid], [floor.pid]], playSeconds);
  const frames = await playingPage.tab.evaluate(() => window.zentorFrames) - framesBefore;
  await floor.browser.close();
  await page.browser.close();

  const kib = bytes => `${(bytes / 1024).toFixed(0)} KiB`;
  const percent = share => `${share.toFixed(share < 1 ? 2 : 1)} %`;
  console.log(`first picture: ${firsts.map(ms => ms.toFixed(0)).join(', ')} ms after the ` +
              `navigation, median ${median(firsts).toFixed(0)} ms`);
  console.log(`first picture in Firefox: ${firefoxFirsts.map(ms => ms.toFixed(0)).join(', ')} ` +
              `ms, median ${median(firefoxFirsts).toFixed(0)} ms`);
  for (const [file, bytes, gzipped] of sizes) {
    console.log(`  ${file}: ${kib(bytes)}, gzipped ${kib(gzipped)}`);
  }
  const total = sizes.reduce((sum, [, bytes, gzipped]) => [sum[0] + bytes, sum[1] + gzipped],
                             [0, 0]);
  console.log(`transferred: ${kib(total[0])}, gzipped ${kib(total[1])}`);
  console.log(`waiting for the space bar, 10 s: page ${percent(waiting[0])}, ` +
              `desktop ${percent(waiting[1])}; blank page ${percent(waiting[2])}`);
  console.log(`playing ${basename(script)}, ${playSeconds} s: page ${percent(playing[0])} ` +
              `(${(frames / playSeconds).toFixed(1)} frames a second), desktop ` +
              `${percent(playing[1])}, page / desktop ${(playing[0] / playing[1]).toFixed(1)}; ` +
              `bare canvas ${percent(playing[2])}, page / bare canvas ` +
              `${(playing[0] / playing[2]).toFixed(2)}`);
} finally {
  for (const child of started.reverse()) {
    child.kill();
  }
  rmSync(work, { recursive: true, force: true });
}
