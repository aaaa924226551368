// The page in the two other engines it is tested in, behind one small interface: Debian's
// Firefox ESR driven by puppeteer-core over WebDriver BiDi, and WebKitGTK's MiniBrowser driven by
// selenium-webdriver through WebKitWebDriver, under an Xvfb of its own.
//   const engine = await launch('firefox' | 'webkit');
//   const tab = await engine.open(address);  // a page at 992 x 821 CSS pixels, ratio 1
//   await tab.press('Space'); await tab.down('ArrowLeft'); await tab.up('ArrowLeft');
//   await tab.keys([['press', 'Space'], ['down', 'ArrowLeft'], ['pause', 200], ['up', 'ArrowLeft']]);
//   await tab.run(() => document.title); await tab.close(); await engine.close();
//   await tab.errors();  // the page's errors and policy breaches so far
// Keys are named by their place on the keyboard, as KeyboardEvent.code names them.
import { spawn } from 'node:child_process';
import { createServer } from 'node:net';
import { setTimeout as sleep } from 'node:timers/promises';

import puppeteer from 'puppeteer-core';
import { Builder, Key } from 'selenium-webdriver';

import { pageErrors, waitFor, watchViolations } from './browser.mjs';

export const kWidth = 992;
export const kHeight = 821;

// puppeteer's keys over BiDi, by the character they type where they type one.
const kPuppeteerKeys = { Space: ' ', KeyP: 'p' };
const puppeteerKey = code => kPuppeteerKeys[code] ?? code;

// Debian's Firefox ESR, headless, as puppeteer-core drives it.
export function launchFirefoxBrowser() {
  return puppeteer.launch({ browser: 'firefox', headless: true,
                            executablePath: '/usr/bin/firefox-esr' });
}

async function launchFirefox() {
  const browser = await launchFirefoxBrowser();
  return {
    async open(address) {
      const page = await browser.newPage();
      const errors = await pageErrors(page);
      await page.setViewport({ width: kWidth, height: kHeight });
      await page.goto(address);
      return {
        errors: async () => errors,
        run: (action, ...args) => page.evaluate(action, ...args),
        press: code => page.keyboard.press(puppeteerKey(code)),
        down: code => page.keyboard.down(puppeteerKey(code)),
        up: code => page.keyboard.up(puppeteerKey(code)),
        async keys(steps) {
          for (const [step, code] of steps) {
            await (step === 'pause' ? sleep(code) : page.keyboard[step](puppeteerKey(code)));
          }
        },
        close: () => page.close(),
      };
    },
    close: () => browser.close(),
  };
}

// WebDriver's keys for the codes the tests press.
const kWebDriverKeys = { Space: Key.SPACE, Enter: Key.ENTER, Escape: Key.ESCAPE, KeyP: 'p',
                         ArrowLeft: Key.ARROW_LEFT, ArrowRight: Key.ARROW_RIGHT,
                         ArrowUp: Key.ARROW_UP, ArrowDown: Key.ARROW_DOWN };

function freePort() {
  return new Promise((resolve, reject) => {
    const probe = createServer();
    probe.on('error', reject);
    probe.listen(0, '127.0.0.1', () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    });
  });
}

// Starts `command`, noted among `children`, which end with the engine.
function start(command, args, options, children) {
  const child = spawn(command, args, options);
  children.push(child);
  return child;
}

async function launchWebKit() {
  const children = [];
  const stop = () => children.reverse().forEach(child => child.kill());
  try {
    const xvfb = start('Xvfb', ['-displayfd', '3', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
                       { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] }, children);
    const display = await new Promise((resolve, reject) => {
      xvfb.stdio[3].on('data', data => resolve(`:${String(data).trim()}`));
      xvfb.on('exit', status => reject(new Error(`Xvfb ended with status ${status}`)));
    });
    const port = await freePort();
    const server = `http://127.0.0.1:${port}`;
    start('WebKitWebDriver', [`--port=${port}`, '--host=127.0.0.1'],
          { stdio: 'ignore', env: { ...process.env, DISPLAY: display } }, children);
    await waitFor('WebKitWebDriver listening', 10, async () => {
      try {
        return (await fetch(`${server}/status`)).ok;
      } catch {
        return false;
      }
    });
    const driver = await new Builder().usingServer(server).withCapabilities({
      browserName: 'MiniBrowser',
      'webkitgtk:browserOptions': {
        binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser', args: ['--automation'] },
    }).build();
    // The window's size with its tool bar: what it takes for the page to be 992 x 821.
    await driver.manage().window().setRect({ width: kWidth, height: kHeight });
    const [width, height] = await driver.executeScript('return [innerWidth, innerHeight]');
    await driver.manage().window().setRect({ width: 2 * kWidth - width,
                                             height: 2 * kHeight - height });
    const key = code => kWebDriverKeys[code];
    // WebDriver's scripts are function bodies: the action is called with the arguments given.
    const run = (action, ...args) =>
      driver.executeScript(`return (${action}).apply(null, arguments)`, ...args);
    return {
      async open(address) {
        await driver.get(address);
        // WebDriver runs no script before the page's own: what its policy forbids from its
        // load on.
        await run(watchViolations);
        return {
          errors: () => run(() => window.zentorViolations),
          run,
          press: code => driver.actions().keyDown(key(code)).keyUp(key(code)).perform(),
          down: code => driver.actions().keyDown(key(code)).perform(),
          up: code => driver.actions().keyUp(key(code)).perform(),
          // One chain of actions: each perform is a round trip to the browser, slow here.
          keys: steps => steps.reduce((actions, [step, code]) =>
            step === 'pause' ? actions.pause(code)
              : step === 'press' ? actions.keyDown(key(code)).keyUp(key(code))
                : step === 'down' ? actions.keyDown(key(code)) : actions.keyUp(key(code)),
          driver.actions()).perform(),
          close: () => driver.get('about:blank'),
        };
      },
      async close() {
        try {
          await driver.quit();
        } finally {
          stop();
        }
      },
    };
  } catch (failure) {
    stop();
    throw failure;
  }
}

export function launch(engine) {
  const launchers = { firefox: launchFirefox, webkit: launchWebKit };
  if (!launchers[engine]) {
    throw new Error(`no such engine '${engine}' (firefox or webkit)`);
  }
  return launchers[engine]();
}
