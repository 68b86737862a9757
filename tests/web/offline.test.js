// SPDX-License-Identifier: MIT
// Offline and installable: after one visit the calculator opens and
// calculates with the server gone; a new version replaces the kept one at
// the visit after the one that found it, and an upload half done in either
// order leaves the visitor on the kept version, whole, until the new one is;
// a copy in another folder of the same host keeps its own. Chromium finds
// nothing that keeps it from installing the site as an app. The server is
// really stopped: a driver's offline mode does not cover a service worker's
// own fetches.
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { test, before, after } = require('node:test');
const { site, engine, serve, makeSite, kDesktop, withPage, useBrowser } = require('./harness');

const engines = useBrowser(before, after);
// The title of the version the site was built as (the project's), and of a
// next one.
const kThis = `Ostrel v${process.env.OSTREL_VERSION}`;
const kNext = `Ostrel v${process.env.OSTREL_VERSION}.1`;

async function costOf(window, fv, gev, fvb) {
  await window.fill('Text1', fv);
  await window.fill('Text2', gev);
  await window.fill('Text3', fvb);
  await window.click('Command1');
  await window.waitFor(() => document.getElementById('Text4').value !== '0');
  return window.value('Text4');
}

// The visit now: the version it shows, and that it calculates.
async function opensAs(window, title) {
  await window.reload();
  await window.calculationsReady();
  assert.equal(await window.title(), title);
  assert.equal(await costOf(window, '10', '12', '15'), '8');
}

// The names of the caches the service worker keeps, once it controls the page.
async function keptBy(window) {
  await window.waitFor(() => navigator.serviceWorker.controller !== null, undefined, 15000);
  return (await window.evaluate(() => caches.keys())).sort();
}

// The visitor's browser looks for a new service worker now; resolves, once
// a new one has installed or failed to, and taken over, to the names of the
// caches.
async function lookForUpdate(window) {
  return (await window.evaluate(async () => {
    const registration = await navigator.serviceWorker.getRegistration();
    await registration.update().catch(() => {});
    const { active } = registration;
    const worker = registration.installing || registration.waiting ||
      (active && active.state === 'activating' ? active : null);
    if (worker) {
      await new Promise((resolve) => {
        const settled = () => ['activated', 'redundant'].includes(worker.state) && resolve();
        worker.addEventListener('statechange', settled);
        settled();
      });
    }
    return caches.keys();
  })).sort();
}

// The cache of the site in `folder` when served at `scope`.
function cacheOf(folder, scope) {
  return `${fs.readFileSync(path.join(folder, 'sw.js'), 'utf8').match(/ostrel-[\d.]+-[0-9a-f]{16}/)[0]} ${scope}`;
}

// A host's folder holding the build's site, uploaded an hour ago.
function hostWith(folder) {
  fs.cpSync(site, folder, { recursive: true });
  const then = Date.now() / 1000 - 3600;
  for (const name of fs.readdirSync(folder)) {
    fs.utimesSync(path.join(folder, name), then, then);
  }
  return folder;
}

// The next version, made as the build makes it: another title, and another
// style sheet, so that its page names other files.
function nextVersion(folder) {
  return makeSite(folder, (built) => {
    const page = path.join(built, 'index.html');
    fs.writeFileSync(page, fs.readFileSync(page, 'utf8').replace(kThis, kNext));
    fs.appendFileSync(path.join(built, 'style.css'), '\n/* the next version */\n');
  });
}

// Uploads the files of the site in `from` that `chosen(name)` names, each
// with its compressed copies, into `to`.
function upload(from, to, chosen) {
  for (const name of fs.readdirSync(from)) {
    if (chosen(name.replace(/\.(br|gz)$/, ''))) {
      fs.copyFileSync(path.join(from, name), path.join(to, name));
    }
  }
}

// Runs `body(dir)` in a folder of its own, removed after.
async function inFolder(body) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'ostrel-deploy-'));
  try {
    await body(dir);
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
}

// Runs `body(window, server, deploy)` on a page served from a host's folder
// that holds the build's site, with the next version made beside it:
// deploy.host, deploy.next, and deploy.restart(), which serves the host again
// on the same port once the test has closed the server.
const withNextVersion = (body) => inFolder(async (dir) => {
  const host = hostWith(path.join(dir, 'host'));
  const next = nextVersion(path.join(dir, 'next'));
  let again = null;
  try {
    await withPage(engines.browser, kDesktop, (window, server) => body(window, server, {
      host,
      next,
      restart: async () => {
        again = await serve(host, { port: server.port });
      },
    }), { root: host });
  } finally {
    await (again && again.close());
  }
});

test('opens and calculates with no network once visited; a new version replaces the old', () =>
  withNextVersion(async (window, server, { host, next, restart }) => {
    await window.goto(server.address);
    assert.deepEqual(await keptBy(window), [cacheOf(host, server.address)]);

    await server.close();
    await opensAs(window, kThis);

    upload(next, host, () => true);
    await restart();
    // The visit that finds it still shows the kept version ...
    await window.reload();
    assert.equal(await window.title(), kThis);
    // ... the browser looks for a new service worker shortly after a visit,
    // and installs it beside the old one ...
    await window.waitFor(async (want) => {
      const registration = await navigator.serviceWorker.getRegistration();
      const names = await caches.keys();
      return names.length === 1 && names[0] === want &&
        !registration.installing && !registration.waiting &&
        registration.active.state === 'activated';
    }, cacheOf(host, server.address), 30000);
    // ... and the next visit opens the new.
    await opensAs(window, kNext);
  }));

// [the upload's order, the file it puts last]. The files of the old version
// are gone from the host meanwhile, as an upload that mirrors the new site
// leaves it.
const kOrders = [
  ['the new worker and files before the new page', 'index.html'],
  ['the new page and files before the new worker', 'sw.js'],
];
for (const [order, last] of kOrders) {
  test(`an upload of ${order}: the kept version, whole, until the new one is`, () =>
    withNextVersion(async (window, server, { host, next, restart }) => {
      await window.goto(server.address);
      const kept = cacheOf(host, server.address);
      assert.deepEqual(await keptBy(window), [kept]);

      upload(next, host, (name) => name !== last);
      for (const name of fs.readdirSync(host)) {
        if (!fs.existsSync(path.join(next, name))) {
          fs.rmSync(path.join(host, name));
        }
      }
      await window.reload();
      assert.equal(await window.title(), kThis);
      assert.deepEqual(await lookForUpdate(window), [kept], 'half an upload replaced the kept version');
      await server.close();
      await opensAs(window, kThis);

      upload(next, host, (name) => name === last);
      await restart();
      await window.reload();
      assert.deepEqual(await lookForUpdate(window), [cacheOf(next, server.address)]);
      await opensAs(window, kNext);
    }));
}

test('two copies in two folders of one host keep each its own', () =>
  inFolder(async (dir) => {
    const folders = ['ostrel', 'ostrel-beta'];
    for (const folder of folders) {
      hostWith(path.join(dir, folder));
    }
    const next = nextVersion(path.join(dir, 'next'));
    await withPage(engines.browser, kDesktop, async (window, server) => {
      const [stable, beta] = folders.map((folder) => `${server.address}${folder}/`);
      await window.goto(stable);
      await keptBy(window);
      await window.goto(beta);
      const kept = folders.map((folder) => cacheOf(path.join(dir, folder), `${server.address}${folder}/`)).sort();
      assert.deepEqual(await keptBy(window), kept);

      upload(next, path.join(dir, 'ostrel-beta'), () => true);
      await window.reload();
      assert.deepEqual(await lookForUpdate(window), [cacheOf(path.join(dir, 'ostrel'), stable), cacheOf(next, beta)].sort());

      await server.close();
      await window.goto(stable);
      await window.calculationsReady();
      assert.equal(await window.title(), kThis);
      assert.equal(await costOf(window, '10', '12', '15'), '8');
    }, { root: dir });
  }));

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
