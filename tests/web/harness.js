// What the web window's browser tests share: a static file server for the
// built site that can be stopped and started again on the same port, and
// Debian's Chromium driven by Playwright.
'use strict';

const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');
const { chromium } = require('playwright-core');

const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json',
  '.png': 'image/png',
  '.svg': 'image/svg+xml',
  '.cur': 'image/x-icon',
};

// The site under test: OSTREL_WEB_SITE, or the web preset's build.
const site = process.env.OSTREL_WEB_SITE ||
  path.resolve(__dirname, '../../build/web/site');

// Serves `root` on 127.0.0.1 as any static host does (Last-Modified, and 304
// for a request that has the file already). `holds` maps a file name to a
// promise: that file is answered only once it has settled. Every answer is
// logged: {name, status, bytes}.
function serve(root = site, { port = 0, holds = {} } = {}) {
  const log = [];
  const server = http.createServer((request, response) => {
    const url = new URL(request.url, 'http://127.0.0.1');
    let name = decodeURIComponent(url.pathname).replace(/^\/+/, '');
    if (name === '' || name.endsWith('/')) {
      name += 'index.html';
    }
    const file = path.join(root, path.normalize(name));
    if (!file.startsWith(root) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      log.push({ name, status: 404, bytes: 0 });
      response.writeHead(404).end();
      return;
    }
    const modified = fs.statSync(file).mtime;
    modified.setMilliseconds(0);
    const since = request.headers['if-modified-since'];
    const answer = () => {
      if (since && new Date(since) >= modified) {
        log.push({ name, status: 304, bytes: 0 });
        response.writeHead(304).end();
        return;
      }
      const body = fs.readFileSync(file);
      log.push({ name, status: 200, bytes: body.length });
      response.writeHead(200, {
        'Content-Type': kTypes[path.extname(file)] || 'application/octet-stream',
        'Content-Length': body.length,
        'Last-Modified': modified.toUTCString(),
      });
      response.end(body);
    };
    Promise.resolve(holds[name]).then(answer);
  });
  const sockets = new Set();
  server.on('connection', (socket) => {
    sockets.add(socket);
    socket.on('close', () => sockets.delete(socket));
  });
  return new Promise((resolve) => {
    server.listen(port, '127.0.0.1', () => {
      const address = `http://127.0.0.1:${server.address().port}/`;
      resolve({
        address,
        port: server.address().port,
        log,
        // Stops answering at once, open connections included.
        close: () => new Promise((done) => {
          for (const socket of sockets) {
            socket.destroy();
          }
          server.close(() => done());
        }),
      });
    });
  });
}

// Debian's Chromium, headless, with nothing that reaches out of the machine.
const kChromium = {
  executablePath: process.env.OSTREL_CHROMIUM || '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
};
function launch() {
  return chromium.launch(kChromium);
}
// The same with a profile of its own in `dir`, as a person's browser has
// (Chromium installs no app into a private window).
function launchWithProfile(dir, options) {
  return chromium.launchPersistentContext(dir, { ...kChromium, ...options });
}

// The browser's two kinds of window: a desktop at its usual size, and a phone
// held upright, with touch.
const kDesktop = { viewport: { width: 800, height: 600 }, locale: 'sv-SE' };
const kPhone = {
  viewport: { width: 360, height: 640 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true,
  locale: 'sv-SE',
};

// Collects what a page reports as going wrong: console errors, uncaught
// exceptions and Content-Security-Policy violations.
function watch(page) {
  const problems = [];
  page.on('console', (message) => {
    if (message.type() === 'error' || message.type() === 'warning') {
      problems.push(`console ${message.type()}: ${message.text()}`);
    }
  });
  page.on('pageerror', (error) => problems.push(`uncaught: ${error.message}`));
  page.addInitScript(() => {
    document.addEventListener('securitypolicyviolation', (event) => {
      console.error(`CSP violation: ${event.violatedDirective} ${event.blockedURI}`);
    });
  });
  return problems;
}

// Resolves once the page's calculations have arrived: the background is
// drawn from them.
async function calculationsReady(page) {
  await page.waitForFunction(() => document.getElementById('Background').width >= 366);
}

module.exports = { site, serve, launch, launchWithProfile, kDesktop, kPhone, watch, calculationsReady };
