// SPDX-License-Identifier: MIT
// Offline and installable: after one visit the calculator opens and
// calculates with the server gone, and a new version of the site replaces
// the kept one at the visit after the one that found it; Chromium finds
// nothing that keeps it from installing the site as an app. The server is
// really stopped: a driver's offline mode does not cover a service worker's
// own fetches.
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { test, before, after } = require('node:test');
const { site, engine, serve, kDesktop, withPage, useBrowser } = require('./harness');

const engines = useBrowser(before, after);

// The version the site was built as (the project's), and a next one.
const version = process.env.OSTREL_VERSION;
const nextVersion = `${version}.1`;
const cacheOf = (v) => new RegExp(`^ostrel-${v.replace(/\./g, '\\.')}-[0-9a-f]{16}$`);
const nextCache = `ostrel-${nextVersion}-0000000000000000`;

async function costOf(window, fv, gev, fvb) {
  await window.fill('Text1', fv);
  await window.fill('Text2', gev);
  await window.fill('Text3', fvb);
  await window.click('Command1');
  await window.waitFor(() => document.getElementById('Text4').value !== '0');
  return window.value('Text4');
}

// The names of the caches the service worker keeps, once it controls the page.
async function keptBy(window) {
  await window.waitFor(() => navigator.serviceWorker.controller !== null, undefined, 15000);
  return window.evaluate(() => caches.keys());
}

test('opens and calculates with no network once visited; a new version replaces the old', async () => {
  const copy = fs.mkdtempSync(path.join(os.tmpdir(), 'ostrel-site-'));
  let next = null;
  try {
    await withPage(engines.browser, kDesktop, async (window, server) => {
      await window.goto(server.address);
      const first = await keptBy(window);
      assert.equal(first.length, 1);
      assert.match(first[0], cacheOf(version));

      await server.close();
      await window.reload();
      await window.calculationsReady();
      assert.equal(await window.title(), `Ostrel v${version}`);
      assert.equal(await costOf(window, '10', '12', '15'), '8');

      // The next version: another page and so another cache name.
      fs.cpSync(site, copy, { recursive: true });
      const page = path.join(copy, 'index.html');
      fs.writeFileSync(page, fs.readFileSync(page, 'utf8').replace(`Ostrel v${version}`, `Ostrel v${nextVersion}`));
      const worker = path.join(copy, 'sw.js');
      fs.writeFileSync(worker, fs.readFileSync(worker, 'utf8')
        .replace(first[0], nextCache));
      // Their compressed copies are the old version's: the two go uncompressed.
      for (const file of [page, worker]) {
        fs.rmSync(`${file}.br`);
        fs.rmSync(`${file}.gz`);
      }
      next = await serve(copy, { port: server.port });
      // The visit that finds it still shows the kept version ...
      await window.reload();
      assert.equal(await window.title(), `Ostrel v${version}`);
      // ... the browser looks for a new service worker shortly after a
      // visit, and installs it beside the old one ...
      await window.waitFor(async (cache) => {
        const registration = await navigator.serviceWorker.getRegistration();
        const names = await caches.keys();
        return names.length === 1 && names[0] === cache &&
          !registration.installing && !registration.waiting &&
          registration.active.state === 'activated';
      }, nextCache, 30000);
      // ... and the next visit opens the new.
      await window.reload();
      assert.equal(await window.title(), `Ostrel v${nextVersion}`);
    });
  } finally {
    if (next) {
      await next.close();
    }
    fs.rmSync(copy, { recursive: true, force: true });
  }
});

test('Chromium can install it as an app', { skip: engine !== 'chromium' && 'Chromium only' }, async () => {
  const { launchChromiumWithProfile } = require('./browser_playwright');
  const server = await serve();
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'ostrel-profile-'));
  const context = await launchChromiumWithProfile(profile, { viewport: { width: 800, height: 600 } });
  try {
    const page = await context.newPage();
    await page.goto(server.address);
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    const cdp = await context.newCDPSession(page);
    const manifest = await cdp.send('Page.getAppManifest');
    assert.deepEqual(manifest.errors, []);
    assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
  } finally {
    await context.close();
    await server.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
});
