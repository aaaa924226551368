// node bench/lighthouse.mjs [WEB-SITE]: Lighthouse's four scores and the page's paint and blocking
// figures, on a phone (Lighthouse's slowed Moto G) and on a desktop, the site served compressed
// from 127.0.0.1 by tests/web/serve.mjs. Each form is audited RUNS times (5), alternately; the
// median and the best of each figure are printed, then the tasks over 50 ms of the median mobile
// run as Lighthouse found them.
//   PRECOMPRESSED=1  serves each file's .br and .gz beside it (brotli -q 11, gzip -9) in place of
//                    gzip made on the fly, and prints the bytes sent each way
//   FORMS=mobile     one form only
// Needs `make web` and tests/web's node_modules (make test-web installs them).
import { execFileSync } from 'node:child_process';
import { copyFileSync, mkdtempSync, readdirSync, rmSync, statSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';

import { serve } from '../tests/web/browser.mjs';
import { audit, kFormFactors } from '../tests/web/lighthouse.mjs';

const root = resolve(new URL('..', import.meta.url).pathname);
const site = resolve(process.argv[2] ?? join(root, 'build-web/site'));
const runs = Number(process.env.RUNS ?? 5);
const forms = (process.env.FORMS ?? kFormFactors.join(',')).split(',');
const precompressed = process.env.PRECOMPRESSED === '1';

const kCategories = ['performance', 'accessibility', 'best-practices', 'seo'];
const kMetrics = [['first-contentful-paint', 'FCP'], ['largest-contentful-paint', 'LCP'],
                  ['total-blocking-time', 'TBT'], ['speed-index', 'SI'],
                  ['cumulative-layout-shift', 'CLS']];

// A copy of the site with each compressible file's .gz and .br beside it.
function precompressedCopy() {
  const work = mkdtempSync(join(tmpdir(), 'zentor-precompressed-'));
  let gzip = 0;
  let brotli = 0;
  for (const file of readdirSync(site)) {
    const path = join(work, file);
    copyFileSync(join(site, file), path);
    if (!file.endsWith('.png')) {
      execFileSync('gzip', ['-9', '-k', '-n', path]);
      execFileSync('brotli', ['-q', '11', '-k', path]);
      gzip += statSync(`${path}.gz`).size;
      brotli += statSync(`${path}.br`).size;
    }
  }
  console.log(`precompressed: gzip -9 ${(gzip / 1024).toFixed(1)} KiB, ` +
              `brotli -q 11 ${(brotli / 1024).toFixed(1)} KiB (every file but the PNGs)`);
  return work;
}

const served = precompressed ? precompressedCopy() : site;
const { server, address } = await serve(served);
const median = values => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};

try {
  const results = Object.fromEntries(forms.map(form => [form, []]));
  for (let run = 0; run < runs; ++run) {
    for (const form of forms) {
      const lhr = await audit(`${address}/`, form, kCategories);
      results[form].push(lhr);
      const scores = kCategories.map(name => Math.round(lhr.categories[name].score * 100));
      console.log(`${form} run ${run + 1}: ${scores.join(' / ')}, TBT ` +
                  `${Math.round(lhr.audits['total-blocking-time'].numericValue)} ms, LCP ` +
                  `${Math.round(lhr.audits['largest-contentful-paint'].numericValue)} ms`);
    }
  }
  for (const form of forms) {
    const all = results[form];
    console.log(`\n${form}, ${all.length} runs: median (best)`);
    for (const name of kCategories) {
      const scores = all.map(lhr => Math.round(lhr.categories[name].score * 100));
      console.log(`  ${name.padEnd(16)} ${median(scores)} (${Math.max(...scores)})`);
    }
    for (const [id, label] of kMetrics) {
      const values = all.map(lhr => lhr.audits[id].numericValue);
      const unit = id === 'cumulative-layout-shift' ? '' : ' ms';
      const shown = value => (unit ? Math.round(value) : value.toFixed(3));
      console.log(`  ${label.padEnd(16)} ${shown(median(values))}${unit} ` +
                  `(${shown(Math.min(...values))}${unit})`);
    }
    const sent = Math.max(...all.map(lhr => lhr.audits['total-byte-weight'].numericValue));
    console.log(`  bytes sent       ${(sent / 1024).toFixed(1)} KiB`);
    const lcp = all[0].audits['largest-contentful-paint-element']?.details?.items?.[0]?.items?.[0];
    console.log(`  LCP element      ${lcp?.node?.snippet ?? 'none'}`);
    const middle = [...all].sort((a, b) => a.categories.performance.score -
                                           b.categories.performance.score)[all.length >> 1];
    const tasks = middle.audits['long-tasks'].details?.items ?? [];
    console.log(`  tasks over 50 ms (median run): ${tasks.length ? '' : 'none'}`);
    for (const task of tasks) {
      console.log(`    at ${Math.round(task.startTime)} ms: ${Math.round(task.duration)} ms, ` +
                  `${task.url}`);
    }
  }
} finally {
  server.kill();
  if (served !== site) {
    rmSync(served, { recursive: true, force: true });
  }
}
