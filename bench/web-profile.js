// SPDX-License-Identifier: MIT
// What the web window's benchmarks share: Debian's Chromium as the tests
// start it, the phone it is made to be (a mid-range phone on a slow 4G
// link), the page with its scripts taken out, and the figures' summaries.
'use strict';

const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const zlib = require('node:zlib');

const chromiumPath = process.env.OSTREL_CHROMIUM || '/usr/bin/chromium';

// Headless, with nothing that reaches out of the machine: the flags the web
// tests give it.
const chromiumFlags = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];

// A phone held upright: 360 × 640 CSS pixels, 3 device pixels to one, touch.
const phone = {
  viewport: { width: 360, height: 640 },
  deviceScaleFactor: 3,
  isMobile: true,
  hasTouch: true,
  locale: 'sv-SE',
};

// Slow 4G (150 ms, 1.6 Mbit/s down, 750 kbit/s up) and a processor four
// times slower than this machine's.
const slow4g = {
  offline: false,
  latency: 150,
  downloadThroughput: 1.6e6 / 8,
  uploadThroughput: 750e3 / 8,
};
const cpuSlowdown = 4;

// A new, cold context (no cache, no service worker) with one page on the
// phone; `throttled` slows its link and its processor before anything loads,
// `slowLink` only its link.
async function phonePage(browser, { throttled = true, slowLink = throttled } = {}) {
  const context = await browser.newContext(phone);
  const page = await context.newPage();
  const cdp = await context.newCDPSession(page);
  if (slowLink) {
    await cdp.send('Network.enable');
    await cdp.send('Network.emulateNetworkConditions', slow4g);
  }
  if (throttled) {
    await cdp.send('Emulation.setCPUThrottlingRate', { rate: cpuSlowdown });
  }
  return { context, page, cdp };
}

// A copy of the site whose page has no script and preloads nothing: what
// the browser needs for the markup and the style sheet alone. The page's
// compressed copies are made again from the new page.
function floorSite(site) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'ostrel-floor-'));
  fs.cpSync(site, dir, { recursive: true });
  const page = path.join(dir, 'index.html');
  const markup = fs.readFileSync(page, 'utf8')
    .replace(/<script\b[^>]*>[\s\S]*?<\/script>\s*/g, '')
    .replace(/<link rel="(?:module)?preload"[^>]*>\s*/g, '');
  fs.writeFileSync(page, markup);
  if (fs.existsSync(`${page}.gz`)) {
    fs.writeFileSync(`${page}.gz`, zlib.gzipSync(markup, { level: 9 }));
  }
  if (fs.existsSync(`${page}.br`)) {
    fs.writeFileSync(`${page}.br`, zlib.brotliCompressSync(markup));
  }
  return dir;
}

// What a trace needs to show each main-thread task with its own CPU time.
const traceCategories = ['devtools.timeline', 'disabled-by-default-devtools.timeline', 'toplevel',
  'loading', 'v8.execute'];

// The page's main-thread tasks from its first contentful paint to the end
// of `trace` (Chromium's JSON trace), each {start, wall, cpu, what}: from
// the paint in ms, its wall time and the CPU time its thread spent in it
// (ms), and the heaviest piece of work in it by CPU time that DevTools
// names (a script, an event, a timer, parsing, layout, painting). The main
// thread is the one that painted.
function mainThreadTasks(trace) {
  const events = trace.traceEvents || trace;
  const paint = events.find((event) => event.name === 'firstContentfulPaint');
  if (!paint) {
    return null;
  }
  const mine = events.filter((event) => event.pid === paint.pid && event.tid === paint.tid &&
    event.ph === 'X' && event.tdur !== undefined);
  const tasks = mine.filter((event) => event.name === 'RunTask' && event.ts >= paint.ts);
  const pieces = mine.filter((event) => event.name !== 'RunTask' &&
    /(^|,)(disabled-by-default-)?devtools\.timeline(,|$)/.test(event.cat));
  return tasks.map((task) => {
    let heaviest = null;
    for (const piece of pieces) {
      if (piece.ts >= task.ts && piece.ts + piece.dur <= task.ts + task.dur &&
          (!heaviest || piece.tdur > heaviest.tdur)) {
        heaviest = piece;
      }
    }
    const data = heaviest && heaviest.args && heaviest.args.data;
    const where = data && (data.url || data.functionName) ? ` ${data.functionName || ''} ${data.url || ''}` : '';
    return {
      start: (task.ts - paint.ts) / 1000,
      wall: task.dur / 1000,
      cpu: task.tdur / 1000,
      what: heaviest ? `${heaviest.name}${where}`.trim() : '',
    };
  });
}

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

// "median (lowest to highest, N)" of `values`, each written by `format`.
function spread(values, format) {
  if (values.length === 0) {
    return 'no pass';
  }
  return `${format(median(values))} (${format(Math.min(...values))} to ` +
    `${format(Math.max(...values))}, ${values.length} passes)`;
}

const ms = (value) => `${Math.round(value)} ms`;
const times = (value) => `${value.toFixed(2)}x`;

module.exports = {
  chromiumPath, chromiumFlags, phone, slow4g, cpuSlowdown, phonePage, floorSite, traceCategories,
  mainThreadTasks, median, spread, ms, times,
};
