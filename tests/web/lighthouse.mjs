// Lighthouse on the page, in Debian's Chromium launched with the flags of the page's other tests
// and a profile of its own, as a phone ('mobile': Lighthouse's slowed Moto G) or a desktop.
//   const result = await audit(address, 'mobile', ['accessibility', 'seo']);
//   result.categories.seo.score, result.audits['total-blocking-time'].numericValue
// What the page's test (audit.test.mjs) and bench/lighthouse.mjs share.
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

import * as chromeLauncher from 'chrome-launcher';
import lighthouse from 'lighthouse';
import desktopConfig from 'lighthouse/core/config/desktop-config.js';

import { kChromiumFlags } from './browser.mjs';

export const kFormFactors = ['mobile', 'desktop'];

// The Lighthouse result (its `lhr`) of one load of `address`.
export async function audit(address, formFactor, categories) {
  if (!kFormFactors.includes(formFactor)) {
    throw new Error(`Lighthouse audits a page as ${kFormFactors.join(' or ')}, not ${formFactor}`);
  }
  const profile = mkdtempSync(join(tmpdir(), 'zentor-lighthouse-'));
  const chrome = await chromeLauncher.launch({ chromePath: '/usr/bin/chromium',
                                               chromeFlags: kChromiumFlags,
                                               userDataDir: profile, logLevel: 'silent' });
  try {
    const config = formFactor === 'desktop' ? desktopConfig : undefined;
    const flags = { port: chrome.port, logLevel: 'error', onlyCategories: categories };
    const { lhr } = await lighthouse(address, flags, config);
    if (lhr.runtimeError) {
      throw new Error(`Lighthouse could not audit ${address}: ${lhr.runtimeError.message}`);
    }
    return lhr;
  } finally {
    await chrome.kill();
    rmSync(profile, { recursive: true, force: true });
  }
}

// The audits of a category that fail (a score below 1 that the category's score counts), each as
// "id: title: what it found", for a test's message.
export function failures(lhr, category) {
  return lhr.categories[category].auditRefs
    .filter(ref => ref.weight > 0)
    .map(ref => lhr.audits[ref.id])
    .filter(found => found.score !== null && found.score < 1 &&
                     !['manual', 'notApplicable', 'informative'].includes(found.scoreDisplayMode))
    .map(found => {
      const items = (found.details?.items ?? []).map(item => JSON.stringify(item.node?.snippet ??
                                                                            item.url ?? item))
        .slice(0, 5).join(', ');
      return `${found.id}: ${found.title}${items ? `: ${items}` : ''}`;
    });
}
