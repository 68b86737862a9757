// SPDX-License-Identifier: MIT
// WebKit, the engine of every browser on an iPhone or iPad, as Debian's
// WebKitGTK: WebKitWebDriver (webkit2gtk-driver) on an Xvfb of the test's
// own, starting webkit_browser.py for each page, driven by selenium-webdriver
// behind the page interface of harness.js.
'use strict';

const { execFileSync, spawn } = require('node:child_process');
const fs = require('node:fs');
const net = require('node:net');
const os = require('node:os');
const path = require('node:path');
const { WebDriver, Capabilities, Key, Origin } = require('selenium-webdriver');
const http = require('selenium-webdriver/http');

const kBrowser = path.join(__dirname, 'webkit_browser.py');
const kDriver = process.env.OSTREL_WEBKIT_DRIVER || 'WebKitWebDriver';

// The scenario's and the tests' keys in WebDriver's words.
const kKeys = {
  Tab: [Key.TAB], 'Shift+Tab': [Key.SHIFT, Key.TAB], Enter: [Key.ENTER], Space: [' '],
  Escape: [Key.ESCAPE], End: [Key.END],
};

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Starts `command` in a process group of its own, so that it goes with all
// it started (a browser, its web processes) at close.
function start(command, args, options = {}) {
  const child = spawn(command, args, { detached: true, stdio: 'ignore', ...options });
  child.on('error', () => {});
  return {
    child,
    stop(signal = 'SIGKILL') {
      try {
        process.kill(-child.pid, signal);
      } catch (error) {
        // gone already
      }
    },
  };
}

// A port no one listens on now.
function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

function answered(promise, timeout, what) {
  let timer;
  const late = new Promise((resolve, reject) => {
    timer = setTimeout(() => reject(new Error(`WebKit did not answer within ${timeout} ms: ${what}`)),
      timeout);
  });
  return Promise.race([promise, late]).finally(() => clearTimeout(timer));
}

async function until(check, timeout, what) {
  const end = Date.now() + timeout;
  for (;;) {
    try {
      if (await check()) {
        return;
      }
    } catch (error) {
      // not yet
    }
    if (Date.now() > end) {
      throw new Error(`not within ${timeout} ms: ${what}`);
    }
    await sleep(50);
  }
}

class Page {
  constructor(driver, profile, dir, stop) {
    this.driver = driver;
    this.profile = profile;
    this.dir = dir;
    this.stop = stop;
  }

  // WebKitWebDriver waits for nothing (page load strategy "none"): with
  // "eager", a script sent while the page's load event comes is never
  // answered, and with "normal" a page whose WebAssembly is held back by the
  // test would never finish loading. So the old document is marked, and a
  // navigation is over once a document without the mark has been parsed.
  async goto(url) {
    await this.evaluate(() => { window.ostrelOldDocument = true; });
    await this.driver.get(url);
    await this.parsed();
  }

  async reload() {
    await this.evaluate(() => { window.ostrelOldDocument = true; });
    await this.driver.navigate().refresh();
    await this.parsed();
  }

  parsed() {
    return until(() => this.evaluate(() => !window.ostrelOldDocument && document.readyState !== 'loading'),
      15000, 'the page is parsed');
  }

  // A script that is not answered within 10 s fails rather than hangs.
  evaluate(fn, arg) {
    return answered(this.driver.executeScript(fn, arg), 10000, String(fn));
  }

  waitFor(fn, arg, timeout = 10000) {
    return until(() => this.evaluate(fn, arg), timeout, String(fn));
  }

  title() {
    return this.driver.getTitle();
  }

  clickAt(x, y) {
    return this.driver.actions()
      .move({ origin: Origin.VIEWPORT, x: Math.round(x), y: Math.round(y) })
      .click()
      .perform();
  }

  async type(text) {
    for (const character of text) {
      await this.driver.actions().sendKeys(character).perform();
      await sleep(20);
    }
  }

  async press(key) {
    const keys = kKeys[key];
    if (!keys) {
      throw new Error(`no key called ${key}`);
    }
    let actions = this.driver.actions();
    for (const k of keys) {
      actions = actions.keyDown(k);
    }
    for (const k of [...keys].reverse()) {
      actions = actions.keyUp(k);
    }
    await actions.perform();
  }

  // WebKitGTK draws an element's own screenshot black: an element is cut
  // out of the viewport's (ImageMagick).
  async screenshot(file, id) {
    fs.mkdirSync(path.dirname(file), { recursive: true });
    fs.writeFileSync(file, Buffer.from(await this.driver.takeScreenshot(), 'base64'));
    if (id) {
      const { x, y, width, height } = await this.evaluate((name) => {
        const r = document.getElementById(name).getBoundingClientRect();
        const d = window.devicePixelRatio;
        return { x: r.x * d, y: r.y * d, width: r.width * d, height: r.height * d };
      }, id);
      const crop = `${Math.round(width)}x${Math.round(height)}+${Math.round(x)}+${Math.round(y)}`;
      execFileSync('convert', [file, '-crop', crop, '+repage', file]);
    }
  }

  // What the page reported as going wrong: the console lines that are no
  // mere log, info or debug message.
  async problems() {
    if (this.final) {
      return this.final;
    }
    const file = path.join(this.dir, 'console.txt');
    const lines = fs.existsSync(file) ? fs.readFileSync(file, 'utf8').split('\n') : [];
    return lines.filter((line) => /CONSOLE /.test(line) && !/CONSOLE (\S+ )?(LOG|INFO|DEBUG)\b/.test(line));
  }

  // Ends the session, the driver and the X server.
  async close() {
    try {
      await this.stop();
      this.final = await this.problems();
    } finally {
      fs.rmSync(this.dir, { recursive: true, force: true });
    }
  }
}

// An X server of its own and WebKitWebDriver on it. The driver writes what
// the page logs to its console ("... CONSOLE [SOURCE] LEVEL text": console
// calls, uncaught errors, policy violations, failed loads) to `output`, as it
// comes: WebKitGTK's WebDriver has no log command.
async function startDriver(output) {
  // -displayfd tells which display the server took.
  const xvfb = start('Xvfb', ['-displayfd', '3', '-screen', '0', '2400x2400x24', '-nolisten', 'tcp'],
    { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
  const display = await new Promise((resolve, reject) => {
    let text = '';
    xvfb.child.stdio[3].on('data', (chunk) => {
      text += chunk;
      if (text.includes('\n')) {
        resolve(text.trim());
      }
    });
    xvfb.child.on('exit', () => reject(new Error('Xvfb did not start')));
  });
  const port = await freePort();
  const log = fs.openSync(output, 'a');
  const driver = start(kDriver, [`--port=${port}`, '--host=127.0.0.1'],
    { env: { ...process.env, DISPLAY: `:${display}` }, stdio: ['ignore', log, log] });
  fs.closeSync(log);
  const address = `http://127.0.0.1:${port}`;
  try {
    await until(async () => (await fetch(`${address}/status`)).ok, 10000, 'WebKitWebDriver answers');
  } catch (error) {
    driver.stop();
    xvfb.stop();
    throw error;
  }
  return { xvfb, driver, address };
}

// Each page is a browser of its own, on an X server and a driver of its own.
function launch() {
  return {
    engine: 'webkit',
    async newPage(profile) {
      const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'ostrel-webkit-'));
      const args = [
        '--automation', `--size=${profile.width}x${profile.height}`, `--scale=${profile.scale}`,
        `--language=${profile.locale}`, `--scheme=${profile.colorScheme || 'light'}`,
        `--data=${dir}`, ...(profile.javaScript === false ? ['--no-script'] : []),
      ];
      const capabilities = new Capabilities({
        pageLoadStrategy: 'none',
        'webkitgtk:browserOptions': { binary: kBrowser, args },
      });
      const { xvfb, driver, address } = await startDriver(path.join(dir, 'console.txt'));
      const stop = async () => {
        await answered(session.quit(), 15000, 'the session ends').catch(() => {});
        driver.stop();
        xvfb.stop();
      };
      const session = WebDriver.createSession(
        new http.Executor(new http.HttpClient(address)), capabilities);
      // A browser that does not start leaves the driver waiting for ever.
      try {
        await answered(session.getSession(), 30000, `${kBrowser} starts`);
      } catch (error) {
        await stop();
        fs.rmSync(dir, { recursive: true, force: true });
        throw error;
      }
      return new Page(session, profile, dir, stop);
    },
    async close() {},
  };
}

module.exports = { launch };
