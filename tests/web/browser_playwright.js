// SPDX-License-Identifier: MIT
// Chromium and Firefox from Debian's packages, driven by Playwright
// (Chromium over its own protocol, Firefox over WebDriver BiDi), behind the
// page interface of harness.js. No browser is downloaded.
'use strict';

const fs = require('node:fs');
const path = require('node:path');
const { chromium, firefox } = require('playwright-core');

// Debian's Chromium, headless, with nothing that reaches out of the machine.
const kChromium = {
  executablePath: process.env.OSTREL_CHROMIUM || '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
};
// Debian's Firefox ESR. Over BiDi Playwright cannot set the colour scheme of
// a context, nor turn its JavaScript off: each is a browser of its own with
// Firefox's preference.
const kFirefox = {
  channel: 'moz-firefox',
  executablePath: process.env.OSTREL_FIREFOX || '/usr/bin/firefox-esr',
  headless: true,
};
const kFirefoxDark = { 'layout.css.prefers-color-scheme.content-override': 0, 'ui.systemUsesDarkTheme': 1 };
const kFirefoxNoScript = { 'javascript.enabled': false };

// Playwright's screenshot helper adds a <style> of its own, which the page's
// policy rightly refuses; Firefox reports that as the page's error. This is
// that style's hash, in Playwright as the lock file pins it.
const kScreenshotStyle = 'sha256-YjaKGiklmzC6wjXA513HAMmzus8VE61XCOT+SmwNZWA=';

class Page {
  constructor(engine, context, page, profile) {
    this.engine = engine;
    this.context = context;
    this.page = page;
    this.touch = profile.touch && engine === 'chromium';
    this.seen = [];
    page.on('console', (message) => {
      if (message.type() === 'error' || message.type() === 'warning') {
        this.seen.push(`console ${message.type()}: ${message.text()}`);
      }
    });
    page.on('pageerror', (error) => {
      if (!(engine === 'firefox' && error.message.includes(kScreenshotStyle))) {
        this.seen.push(`uncaught: ${error.message}`);
      }
    });
  }

  async start() {
    // Chromium reports a policy violation only to the page (Firefox as the
    // page's error).
    if (this.engine !== 'chromium') {
      return this;
    }
    await this.page.addInitScript(() => {
      document.addEventListener('securitypolicyviolation', (event) => {
        console.error(`CSP violation: ${event.violatedDirective} ${event.blockedURI}`);
      });
    });
    return this;
  }

  // Both return once the document is parsed, before its scripts
  // have necessarily run (a test may hold them back).
  async goto(url) {
    await this.page.goto(url, { waitUntil: 'commit' });
    await this.waitFor(() => document.readyState !== 'loading', undefined, 15000);
  }

  async reload() {
    await this.page.reload({ waitUntil: 'commit' });
    await this.waitFor(() => document.readyState !== 'loading', undefined, 15000);
  }

  evaluate(fn, arg) {
    return this.page.evaluate(fn, arg);
  }

  // Polls `fn` (which may be async: Playwright's own wait would take its
  // promise for a true answer).
  async waitFor(fn, arg, timeout = 10000) {
    const end = Date.now() + timeout;
    while (!(await this.page.evaluate(fn, arg))) {
      if (Date.now() > end) {
        throw new Error(`not within ${timeout} ms: ${fn}`);
      }
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
  }

  title() {
    return this.page.title();
  }

  async clickAt(x, y) {
    if (this.touch) {
      await this.page.touchscreen.tap(x, y);
    } else {
      await this.page.mouse.click(x, y);
    }
  }

  type(text) {
    return this.page.keyboard.type(text, { delay: 20 });
  }

  press(key) {
    return this.page.keyboard.press(key);
  }

  async screenshot(file, id) {
    fs.mkdirSync(path.dirname(file), { recursive: true });
    await (id ? this.page.locator(`#${id}`) : this.page).screenshot({ path: file });
  }

  async problems() {
    return [...this.seen];
  }

  close() {
    return this.context.close();
  }
}

async function launch(engine) {
  const browsers = new Map();  // by colour scheme and script, for Firefox
  const browserFor = async (scheme, script) => {
    const key = engine === 'firefox' ? `${scheme} ${script}` : 'any';
    if (!browsers.has(key)) {
      const prefs = { ...(scheme === 'dark' ? kFirefoxDark : {}), ...(script ? {} : kFirefoxNoScript) };
      browsers.set(key, engine === 'firefox'
        ? firefox.launch({ ...kFirefox, firefoxUserPrefs: prefs })
        : chromium.launch(kChromium));
    }
    return browsers.get(key);
  };
  return {
    engine,
    async newPage(profile) {
      const scheme = profile.colorScheme || 'light';
      const script = profile.javaScript !== false;
      const browser = await browserFor(scheme, script);
      const options = {
        viewport: { width: profile.width, height: profile.height },
        deviceScaleFactor: profile.scale,
        locale: profile.locale,
        javaScriptEnabled: script,
      };
      if (engine === 'chromium') {
        Object.assign(options, { colorScheme: scheme, isMobile: profile.touch, hasTouch: profile.touch });
      }
      const context = await browser.newContext(options);
      return new Page(engine, context, await context.newPage(), profile).start();
    },
    async close() {
      for (const browser of browsers.values()) {
        await (await browser).close();
      }
    },
  };
}

// Chromium with a profile of its own in `dir`, as a person's browser has
// (Chromium installs no app into a private window).
function launchChromiumWithProfile(dir, options) {
  return chromium.launchPersistentContext(dir, { ...kChromium, ...options });
}

module.exports = { launch, launchChromiumWithProfile };
