// SPDX-License-Identifier: MIT
// What the web window's browser tests share: the built site's server (nginx),
// which can be stopped and started again on the same port, and sites made
// as the build makes them from changed files; the browser engine
// under test, OSTREL_WEB_ENGINE (chromium, firefox or webkit, each Debian's),
// behind one small page interface; and a test's setup: serve, open a page,
// watch it for errors, close.
//
// The page interface each engine gives (browser_playwright.js,
// browser_webkit.js): goto(url) and reload(), both returning once the
// document is parsed (its scripts may not have run yet);
// evaluate(fn, arg) and waitFor(fn, arg, timeout) in the page; title();
// clickAt(x, y) with the mouse, or a finger on a touch profile where the
// engine can; type(text) and press(key) on the keyboard; screenshot(file,
// id); problems(), what the page reported as going wrong (console errors and
// warnings, uncaught errors, Content-Security-Policy violations); close().
'use strict';

const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { serve: serveWeb } = require('../../scripts/host-web');

// The site under test: OSTREL_WEB_SITE, or the web preset's build.
const site = process.env.OSTREL_WEB_SITE ||
  path.resolve(__dirname, '../../build/web/site');
const engine = process.env.OSTREL_WEB_ENGINE || 'chromium';
const shots = process.env.OSTREL_SCREENSHOT_DIR || path.resolve('screenshots');

// Serves `root` with nginx and the configuration the build wrote beside it,
// or beside the site under test for a copy that has none, nginx's prefix in
// the site's build folder (scripts/host-web.js): compressed copies, cache
// and security headers; `holds` keeps a file back until its promise
// settles; every answer is logged with the bytes sent.
function serve(root = site, options = {}) {
  const own = `${root}.nginx.conf`;
  return serveWeb(root, {
    conf: fs.existsSync(own) ? own : `${site}.nginx.conf`,
    runs: path.join(path.dirname(site), 'nginx'),
    ...options,
  });
}

// Makes a site as the build does (its make_site.cmake) into `into` (the
// configuration beside it) from a copy of the build's files that
// `change(folder)` has changed first; returns `into`.
function makeSite(into, change) {
  const built = fs.mkdtempSync(path.join(os.tmpdir(), 'ostrel-built-'));
  try {
    fs.cpSync(process.env.OSTREL_WEB_BUILT, built, { recursive: true });
    change(built);
    execFileSync(process.env.OSTREL_CMAKE || 'cmake',
      [`-DBUILT=${built}`, `-DSITE=${into}`, '-P', process.env.OSTREL_WEB_MAKE_SITE]);
  } finally {
    fs.rmSync(built, { recursive: true, force: true });
  }
  return into;
}

// The browser's two kinds of window: a desktop at its usual size, and a phone
// held upright, 3 device pixels to a CSS pixel, with touch where the engine's
// driver can touch (Chromium). A profile may also name its colour scheme
// (colorScheme: 'dark') and turn the page's JavaScript off (javaScript:
// false; the driver's own scripts still run).
const kDesktop = { width: 800, height: 600, scale: 1, touch: false, locale: 'sv-SE' };
const kPhone = { width: 360, height: 640, scale: 3, touch: true, locale: 'sv-SE' };

// The engine under test, started once for a test file.
function launch() {
  switch (engine) {
    case 'chromium':
    case 'firefox':
      return require('./browser_playwright').launch(engine);
    case 'webkit':
      return require('./browser_webkit').launch();
    default:
      throw new Error(`OSTREL_WEB_ENGINE: no engine called ${engine}`);
  }
}

// The web window as a test sees it: its controls by their names in the
// window's design, on any engine's page.
class Window {
  constructor(page, profile) {
    this.page = page;
    this.profile = profile;
  }

  goto(url) { return this.page.goto(url); }
  reload() { return this.page.reload(); }
  evaluate(fn, arg) { return this.page.evaluate(fn, arg); }
  waitFor(fn, arg, timeout) { return this.page.waitFor(fn, arg, timeout); }
  title() { return this.page.title(); }
  type(text) { return this.page.type(text); }
  press(key) { return this.page.press(key); }
  problems() { return this.page.problems(); }
  pause(ms) { return new Promise((resolve) => setTimeout(resolve, ms)); }

  // The control's box in CSS pixels of the viewport.
  box(id) {
    return this.evaluate((name) => {
      const element = document.getElementById(name);
      if (!element) {
        return null;
      }
      const { x, y, width, height } = element.getBoundingClientRect();
      return { x, y, width, height };
    }, id);
  }

  // Clicks (or taps) the centre of a control.
  async click(id) {
    const rect = await this.box(id);
    assert.ok(rect, `${id} is not on the page`);
    await this.page.clickAt(rect.x + rect.width / 2, rect.y + rect.height / 2);
  }

  value(id) {
    return this.evaluate((name) => document.getElementById(name).value, id);
  }

  focus(id) {
    return this.evaluate((name) => document.getElementById(name).focus(), id);
  }

  // Puts `text` into a field as pasting would: the field takes the focus and
  // its text is replaced.
  fill(id, text) {
    return this.evaluate(([name, value]) => {
      const field = document.getElementById(name);
      field.focus();
      field.value = value;
      field.dispatchEvent(new Event('input', { bubbles: true }));
    }, [id, text]);
  }

  // Resolves once the field holds `text`; a field that does not within
  // `time` ms fails with what it holds.
  async expectValue(id, text, why = '', time = 5000) {
    await this.waitFor(([name, want]) => document.getElementById(name).value === want,
      [id, text], time).catch(() => {});
    const got = await this.value(id);
    assert.equal(got, text, `${why}${why && ': '}${id} holds '${got}', expected '${text}'`);
  }

  // The message box: whether it is open, and its text.
  messageOpen() {
    return this.evaluate(() => document.getElementById('Message').open);
  }

  messageText() {
    return this.evaluate(() => document.getElementById('MessageText').textContent);
  }

  async waitForMessage(open = true) {
    await this.waitFor((want) => document.getElementById('Message').open === want, open, 5000);
  }

  // Resolves once the page is shown: its style sheet is in (before it, no
  // one sees a control to press, and a control may still move).
  shown() {
    return this.waitFor(() => getComputedStyle(document.getElementById('Form1')).position === 'relative');
  }

  // Resolves once the page's calculations have arrived: the background is
  // drawn from them (a canvas is 300 × 150 until something is drawn).
  calculationsReady() {
    return this.waitFor(() => {
      const canvas = document.getElementById('Background');
      return !(canvas.width === 300 && canvas.height === 150);
    }, undefined, 15000);
  }

  screenshot(name, id) {
    return this.page.screenshot(path.join(shots, `${name}.png`), id);
  }

  close() { return this.page.close(); }
}

// Runs `body(window, server)` on a new page of `browser` with `profile`,
// served from `root` with `serverOptions`; the page must report nothing
// going wrong meanwhile, up to its closing, but what `expected` (a RegExp)
// matches, where the test makes something go wrong. The page and the server
// are closed whatever happens.
async function withPage(browser, profile, body, { root = site, expected = null, ...serverOptions } = {}) {
  const server = await serve(root, serverOptions);
  const window = new Window(await browser.newPage(profile), profile);
  let closed = false;
  try {
    try {
      await body(window, server);
    } catch (error) {
      // What the page reported up to the failure often says why.
      const reported = await window.problems().catch(() => []);
      if (reported.length > 0 && error instanceof Error) {
        error.message += `\n${engine}: what the page reported: ${reported.join('\n')}`;
      }
      throw error;
    }
    await window.close();
    closed = true;
    const problems = (await window.problems()).filter((problem) => !(expected && expected.test(problem)));
    assert.deepEqual(problems, [], `${engine}: what the page reported`);
  } finally {
    if (!closed) {
      await window.close().catch(() => {});
    }
    await server.close();
  }
}

// Registers a test file's browser: started before its first test and closed
// after its last.
function useBrowser(before, after) {
  const holder = {};
  before(async () => {
    holder.browser = await launch();
  });
  after(async () => {
    if (holder.browser) {
      await holder.browser.close();
    }
  });
  return holder;
}

module.exports = {
  site, engine, serve, makeSite, kDesktop, kPhone, launch, Window, withPage, useBrowser,
};
