// The web window's start in headless Chromium, against the same generated
// page with no script (the floor: what the browser needs for the markup and
// style alone), the two taking turns in one run, each visit cold (a new
// browser context: no cache, no service worker):
//   first paint: first-contentful-paint of the page against the floor's;
//   first answer: from the start of the navigation until a press of
//     "Beräkna EP", made as early as the page lets it on fields already
//     filled in, has written its answer, against the floor's press being
//     delivered.
// Prints the median of the pass-by-pass ratios and their spread, and the
// gzip-compressed size of each file that the first visit fetches.
//
// usage: node bench/web-startup.js [PASSES]   (NODE_PATH: playwright-core;
//        OSTREL_WEB_SITE: the built site; see bench/web-startup.sh)
'use strict';

const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const zlib = require('node:zlib');
const { site, serve, launch, kDesktop } = require('../tests/web/harness');

const passes = Number(process.argv[2] || 15);

// The same page with its scripts and the WebAssembly's preload taken out.
function floorSite() {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'ostrel-floor-'));
  fs.cpSync(site, dir, { recursive: true });
  const page = path.join(dir, 'index.html');
  const markup = fs.readFileSync(page, 'utf8')
    .replace(/<script [^>]*><\/script>\n/g, '')
    .replace(/<link rel="preload"[^>]*>\n/g, '');
  fs.writeFileSync(page, markup);
  return dir;
}

async function visit(browser, address, answered) {
  const context = await browser.newContext(kDesktop);
  const page = await context.newPage();
  await page.goto(address, { waitUntil: 'commit' });
  // As early as the page lets anyone: the three values put in the fields
  // at once (by the debugger, in one step), then a click on the button.
  await page.waitForSelector('#Command1');
  await page.evaluate(() => {
    for (const [id, value] of [['Text1', '10'], ['Text2', '12'], ['Text3', '15']]) {
      document.getElementById(id).value = value;
    }
  });
  await page.locator('#Command1').click();
  if (answered) {
    await page.waitForFunction(() => document.getElementById('Text4').value === '8',
      null, { polling: 'raf' });
  }
  const result = await page.evaluate(() => ({
    answer: performance.now(),
    paint: (performance.getEntriesByName('first-contentful-paint')[0] || {}).startTime,
  }));
  await context.close();
  return result;
}

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

function summary(name, ratios, page, floor) {
  const fixed = (value) => value.toFixed(2);
  console.log(`${name}: ${fixed(median(ratios))}x the page with no script ` +
    `(median of ${ratios.length} passes, ${fixed(Math.min(...ratios))}x to ${fixed(Math.max(...ratios))}x; ` +
    `medians ${fixed(median(page))} ms against ${fixed(median(floor))} ms)`);
}

(async () => {
  const floorDir = floorSite();
  const server = await serve(site);
  const floorServer = await serve(floorDir);
  const browser = await launch();
  try {
    await visit(browser, server.address, true);  // warm the browser itself
    await visit(browser, floorServer.address, false);
    const paint = { page: [], floor: [], ratio: [] };
    const answer = { page: [], floor: [], ratio: [] };
    for (let pass = 0; pass < passes; ++pass) {
      const mine = await visit(browser, server.address, true);
      const bare = await visit(browser, floorServer.address, false);
      paint.page.push(mine.paint);
      paint.floor.push(bare.paint);
      paint.ratio.push(mine.paint / bare.paint);
      answer.page.push(mine.answer);
      answer.floor.push(bare.answer);
      answer.ratio.push(mine.answer / bare.answer);
    }
    summary('first paint', paint.ratio, paint.page, paint.floor);
    summary('first answered press', answer.ratio, answer.page, answer.floor);

    // One more cold visit, with its service worker: every file it fetches.
    const log = server.log.length;
    const context = await browser.newContext(kDesktop);
    const page = await context.newPage();
    await page.goto(server.address);
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    await context.close();
    const sizes = new Map();
    for (const entry of server.log.slice(log)) {
      if (entry.status === 200) {
        const gzip = zlib.gzipSync(fs.readFileSync(path.join(site, entry.name)), { level: 9 }).length;
        sizes.set(entry.name, (sizes.get(entry.name) || 0) + gzip);
      }
    }
    let total = 0;
    console.log('first visit, gzip -9 bytes of each file fetched:');
    for (const [name, bytes] of [...sizes].sort((a, b) => b[1] - a[1])) {
      console.log(`  ${name.padEnd(24)} ${String(bytes).padStart(7)}`);
      total += bytes;
    }
    console.log(`  ${'in all'.padEnd(24)} ${String(total).padStart(7)} (${(total / 1024).toFixed(1)} KiB)`);
  } finally {
    await browser.close();
    await server.close();
    await floorServer.close();
    fs.rmSync(floorDir, { recursive: true, force: true });
  }
})();
