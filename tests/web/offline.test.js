// Installable, and offline: Chromium finds nothing that keeps it from
// installing the site as an app; after one visit the calculator opens and calculates
// with the server gone, and a new version of the site replaces the kept one
// at the visit after the one that found it. The server is really stopped:
// Playwright's offline mode does not cover a service worker's own fetches.
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { test } = require('node:test');
const { site, serve, launch, launchWithProfile, kDesktop, watch, calculationsReady } = require('./harness');

async function costOf(page, fv, gev, fvb) {
  await page.locator('#Text1').fill(fv);
  await page.locator('#Text2').fill(gev);
  await page.locator('#Text3').fill(fvb);
  await page.locator('#Command1').click();
  await page.waitForFunction(() => document.getElementById('Text4').value !== '0');
  return page.locator('#Text4').inputValue();
}

// Waits until `check`, which may be async, is true in the page.
async function until(page, check, timeout = 30000) {
  const end = Date.now() + timeout;
  while (!(await page.evaluate(check))) {
    assert.ok(Date.now() < end, `not so within ${timeout} ms: ${check}`);
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
}

async function keptBy(page) {
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
  return page.evaluate(() => caches.keys());
}

test('opens and calculates with no network once visited; a new version replaces the old', async () => {
  const browser = await launch();
  let server = await serve();
  const { port, address } = server;
  const copy = fs.mkdtempSync(path.join(os.tmpdir(), 'ostrel-site-'));
  try {
    const page = await (await browser.newContext(kDesktop)).newPage();
    const problems = watch(page);
    await page.goto(address);
    const first = await keptBy(page);
    assert.equal(first.length, 1);
    assert.match(first[0], /^ostrel-1\.3-[0-9a-f]{16}$/);

    await server.close();
    await page.reload();
    await calculationsReady(page);
    assert.equal(await page.title(), 'Ostrel v1.3');
    assert.equal(await costOf(page, '10', '12', '15'), '8');

    // The next version: another page and so another cache name.
    fs.cpSync(site, copy, { recursive: true });
    const page2 = path.join(copy, 'index.html');
    fs.writeFileSync(page2, fs.readFileSync(page2, 'utf8').replace('Ostrel v1.3', 'Ostrel v1.4'));
    const worker = path.join(copy, 'sw.js');
    fs.writeFileSync(worker, fs.readFileSync(worker, 'utf8').replace(/ostrel-1\.3-[0-9a-f]+/, 'ostrel-1.4-0000000000000000'));
    server = await serve(copy, { port });
    // The visit that finds it still shows the kept version ...
    await page.reload();
    assert.equal(await page.title(), 'Ostrel v1.3');
    // The browser looks for a new service worker shortly after a visit.
    await until(page, async () => {
      const registration = await navigator.serviceWorker.getRegistration();
      const names = await caches.keys();
      return names.length === 1 && names[0] === 'ostrel-1.4-0000000000000000' &&
        !registration.installing && !registration.waiting &&
        registration.active.state === 'activated';
    });
    // ... and the next one the new.
    await page.reload();
    assert.equal(await page.title(), 'Ostrel v1.4');
    assert.deepEqual(problems, []);
  } finally {
    await browser.close();
    await server.close();
    fs.rmSync(copy, { recursive: true, force: true });
  }
});

test('Chromium can install it as an app', async () => {
  const server = await serve();
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'ostrel-profile-'));
  const context = await launchWithProfile(profile, kDesktop);
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
