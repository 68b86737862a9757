// SPDX-License-Identifier: MIT
// The web window's start on a phone (bench/web-profile.js: Debian's
// headless Chromium at 360 × 640, 3 device pixels to a CSS pixel, touch,
// slow 4G, the processor slowed 4×), each visit cold (a new browser context:
// no cache, no service worker), in passes of four visits:
//   quiet: the page left alone. Its first contentful paint (FCP), its long
//     main-thread tasks (over 50 ms) from FCP until 5 s after the load event,
//     the longest of them and the total blocking time (the sum of what each
//     takes beyond 50 ms);
//   pressed: 10, 12 and 15 put into the fields by the debugger in one step
//     in the frame that first paints the button, and "Beräkna EP" tapped at
//     once; the time from the start of the navigation until the EP field
//     reads 8, against the same visit's FCP;
//   floor: the same page with its scripts taken out, whose FCP is what the
//     browser needs for the markup and the style sheet alone;
//   traced: the page left alone at the processor's full speed (the link
//     still slow), traced: each main-thread task's own CPU time from FCP
//     until 5 s after the load event, times four. Chromium's slowed
//     processor stretches every wait for a core four times too, so on a
//     machine with few cores a task's wall time above says as much about
//     the machine as about the page; its CPU time does not.
// Then one more cold visit, unthrottled, until the service worker controls
// the page: every file it and its service worker fetched, as the server
// sent it.
//
// usage: node bench/web-startup.js SITE [PASSES]   (NODE_PATH: playwright-core;
//        see bench/web-startup.sh)
'use strict';

const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');
const { chromium } = require('playwright-core');
const { serve } = require('../scripts/host-web');
const {
  chromiumPath, chromiumFlags, cpuSlowdown, phonePage, floorSite, traceCategories, mainThreadTasks,
  spread, ms, times,
} = require('./web-profile');

const site = path.resolve(process.argv[2] || 'build/web/site');
const passes = Number(process.argv[3] || 15);
const kAfterLoad = 5000;        // the quiet visit's window for long tasks
const kFloorAfterLoad = 1000;
const kLostAfterLoad = 3000;    // a tap not answered by then was lost
const kAnswerTimeout = 15000;

const sleep = (time) => new Promise((resolve) => setTimeout(resolve, time));

// In the page before any of its own scripts: every long task, as the
// browser reports it.
function watchLongTasks() {
  const tasks = [];
  const observer = new PerformanceObserver((list) => {
    for (const entry of list.getEntries()) {
      tasks.push({ start: entry.startTime, duration: entry.duration });
    }
  });
  observer.observe({ type: 'longtask', buffered: true });
  window.__ostrelBenchTasks = () => {
    observer.takeRecords().forEach((entry) => tasks.push({ start: entry.startTime, duration: entry.duration }));
    return tasks;
  };
}

// In the page before any of its own scripts: the first press of the button
// and, from then on, each frame's look at the EP field until it reads 8
// (requestAnimationFrame: the time is that of the first frame that shows
// it). The probe's own time is summed.
function watchAnswer() {
  const probe = { pressed: null, answered: null, frames: 0, cost: 0 };
  window.__ostrelBenchProbe = probe;
  const look = () => {
    const start = performance.now();
    probe.frames += 1;
    const field = document.getElementById('Text4');
    const done = field !== null && field.value === '8';
    if (!done) {
      requestAnimationFrame(look);
    }
    probe.cost += performance.now() - start;
    if (done) {
      probe.answered = start;
      window.ostrelBenchAnswered();
    }
  };
  window.addEventListener('click', (event) => {
    if (probe.pressed === null && event.target && event.target.id === 'Command1') {
      probe.pressed = event.timeStamp;
      requestAnimationFrame(look);
    }
  }, true);
}

function pageTimes() {
  const navigation = performance.getEntriesByType('navigation')[0];
  const paint = performance.getEntriesByName('first-contentful-paint')[0];
  return {
    fcp: paint ? paint.startTime : null,
    markup: navigation ? navigation.responseEnd : null,
    load: navigation ? navigation.loadEventEnd : null,
    tasks: window.__ostrelBenchTasks ? window.__ostrelBenchTasks() : [],
    probe: window.__ostrelBenchProbe || null,
  };
}

// The long tasks that start after FCP and within `after` ms of the load
// event: the longest, and the total blocking time.
function blocking(times_, after) {
  const tasks = times_.tasks.filter((task) => task.start >= times_.fcp &&
    task.start <= times_.load + after);
  return {
    longest: Math.max(0, ...tasks.map((task) => task.duration)),
    longestAny: Math.max(0, ...times_.tasks.map((task) => task.duration)),
    tbt: tasks.reduce((sum, task) => sum + task.duration - 50, 0),
    count: tasks.length,
  };
}

async function quietVisit(browser, address, after) {
  const { context, page } = await phonePage(browser);
  try {
    await page.addInitScript(watchLongTasks);
    const loaded = page.waitForEvent('load', { timeout: 60000 });
    await page.goto(address, { waitUntil: 'commit' });
    await loaded;
    await sleep(after);
    const result = await page.evaluate(pageTimes);
    return { ...result, ...blocking(result, after) };
  } finally {
    await context.close();
  }
}

// A quiet visit at full speed, traced: the main thread's tasks after FCP,
// their CPU time as on the slowed phone.
async function tracedVisit(browser, address, after) {
  const { context, page } = await phonePage(browser, { throttled: false, slowLink: true });
  try {
    await browser.startTracing(page, { categories: traceCategories });
    const loaded = page.waitForEvent('load', { timeout: 60000 });
    await page.goto(address, { waitUntil: 'commit' });
    await loaded;
    await sleep(after);
    const tasks = mainThreadTasks(JSON.parse(await browser.stopTracing()));
    return tasks.map((task) => ({ ...task, phone: task.cpu * cpuSlowdown }));
  } finally {
    await context.close();
  }
}

// Waits in the page for the first frame that draws the button (the browser
// runs no frame before the style sheet is in), fills in the fields in one
// step just before that frame paints, and answers with the middle of the
// button, which the debugger taps at once: the tap reaches the browser with
// that frame, before its first contentful paint is reported. Waiting for
// that report instead (Chromium's word to the debugger, or the page's paint
// entry) put the tap 0.4 s to 1.3 s after the paint on the phone: both wait
// for the main thread, which runs the page's scripts right after that frame,
// while a person's tap would be queued during them.
function fillInAtFirstPaint() {
  return new Promise((resolve) => {
    const look = () => {
      const button = document.getElementById('Command1');
      const box = button ? button.getBoundingClientRect() : null;
      if (!box || box.width === 0 || box.height === 0) {
        requestAnimationFrame(look);
        return;
      }
      for (const [id, value] of [['Text1', '10'], ['Text2', '12'], ['Text3', '15']]) {
        document.getElementById(id).value = value;
      }
      resolve({ x: box.x + box.width / 2, y: box.y + box.height / 2, at: performance.now() });
    };
    requestAnimationFrame(look);
  });
}

async function pressedVisit(browser, address) {
  const { context, page } = await phonePage(browser);
  try {
    let answered;
    const answer = new Promise((resolve) => {
      answered = resolve;
    });
    await page.exposeFunction('ostrelBenchAnswered', () => answered(true));
    await page.addInitScript(watchAnswer);
    const loaded = page.waitForEvent('load', { timeout: 60000 });
    await page.goto(address, { waitUntil: 'commit' });
    const target = await page.evaluate(fillInAtFirstPaint);
    await page.touchscreen.tap(target.x, target.y);
    // A tap that the page has not answered well after it has loaded was
    // lost: a second tap shows whether the page answers at all.
    const lost = loaded.then(() => sleep(kLostAfterLoad), () => {}).then(() => false);
    let taps = 1;
    if (!(await Promise.race([answer, lost]))) {
      taps = 2;
      await page.touchscreen.tap(target.x, target.y);
      await Promise.race([answer, sleep(kAnswerTimeout)]);
    }
    const result = await page.evaluate(pageTimes);
    return { ...result, taps, filled: target.at };
  } finally {
    await context.close();
  }
}

// One cold visit until the service worker controls the page: what the
// server sent, file by file, with what gzip -9 and Brotli make of each file
// for comparison.
async function firstVisit(browser, server) {
  const start = server.log.length;
  const { context, page } = await phonePage(browser, { throttled: false });
  try {
    await page.goto(server.address);
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null, null,
      { timeout: 30000 });
    await sleep(500);
  } finally {
    await context.close();
  }
  const files = new Map();
  for (const entry of server.log.slice(start)) {
    const file = files.get(entry.name) || { requests: [], sent: 0 };
    file.requests.push(entry.status === 200 ? (entry.encoding || 'identity') : String(entry.status));
    file.sent += entry.bytes;
    files.set(entry.name, file);
  }
  for (const [name, file] of files) {
    const where = path.join(site, name);
    if (fs.existsSync(where)) {
      const body = fs.readFileSync(where);
      file.gzip = zlib.gzipSync(body, { level: 9 }).length;
      file.brotli = zlib.brotliCompressSync(body).length;
    }
  }
  return files;
}

// The traced visits' main-thread tasks after FCP by their CPU time times
// four: the longest of each visit, the visits with one over 50 ms, and the
// heaviest tasks of all visits with what they did most.
function printTasks(traced) {
  const longest = traced.map((tasks) => Math.max(0, ...tasks.map((task) => task.phone)));
  console.log(`\ntraced at full speed, each main-thread task's CPU time from FCP to ${kAfterLoad / 1000} s ` +
    `after load, times ${cpuSlowdown}:`);
  console.log(`  the longest task: ${spread(longest, ms)}`);
  console.log(`  visits with a task over 50 ms: ${longest.filter((value) => value > 50).length} of ${traced.length}`);
  const heavy = traced.flatMap((tasks, visit) => tasks.map((task) => ({ ...task, visit: visit + 1 })))
    .sort((a, b) => b.phone - a.phone).slice(0, 8);
  console.log('  the heaviest tasks of all visits (visit: start after FCP, CPU time × 4, wall time at full speed, ' +
    'the heaviest work in it):');
  for (const task of heavy) {
    console.log(`    ${task.visit}: ${ms(task.start)}, ${ms(task.phone)}, ${task.wall.toFixed(1)} ms, ${task.what}`);
  }
}

function printVisit(files) {
  const kib = (bytes) => `${(bytes / 1024).toFixed(1)} KiB`;
  const column = (value) => String(value === undefined ? '-' : value).padStart(8);
  console.log('\nfirst visit until the service worker controls the page, bytes of each body as sent' +
    ' (headers not counted; gzip -9 and Brotli of the file for comparison):');
  console.log(`  ${'file'.padEnd(34)} ${'sent'.padStart(8)} ${'gzip -9'.padStart(8)} ${'brotli'.padStart(8)}  answers`);
  const total = { sent: 0, gzip: 0, brotli: 0 };
  for (const [name, file] of [...files].sort((a, b) => b[1].sent - a[1].sent)) {
    const sent200 = file.requests.filter((request) => !/^\d+$/.test(request)).length;
    const gzip = file.gzip === undefined ? undefined : file.gzip * sent200;
    const brotli = file.brotli === undefined ? undefined : file.brotli * sent200;
    console.log(`  ${name.padEnd(34)} ${column(file.sent)} ${column(gzip)} ${column(brotli)}  ${file.requests.join(', ')}`);
    total.sent += file.sent;
    total.gzip += gzip || 0;
    total.brotli += brotli || 0;
  }
  console.log(`  ${'in all'.padEnd(34)} ${column(total.sent)} ${column(total.gzip)} ${column(total.brotli)}`);
  console.log(`  in all: ${kib(total.sent)} sent (${kib(total.gzip)} gzip -9, ${kib(total.brotli)} Brotli)`);
}

(async () => {
  const floorDir = floorSite(site);
  const server = await serve(site);
  // The floor's copy is served with the site's own configuration.
  const floorServer = await serve(floorDir, { conf: `${site}.nginx.conf` });
  const browser = await chromium.launch({ executablePath: chromiumPath, headless: true, args: chromiumFlags });
  try {
    // The browser's own first start is no part of any figure.
    await quietVisit(browser, server.address, 0);
    await pressedVisit(browser, server.address);
    await quietVisit(browser, floorServer.address, 0);
    const quiet = [];
    const pressed = [];
    const floor = [];
    const traced = [];
    for (let pass = 0; pass < passes; ++pass) {
      quiet.push(await quietVisit(browser, server.address, kAfterLoad));
      pressed.push(await pressedVisit(browser, server.address));
      floor.push(await quietVisit(browser, floorServer.address, kFloorAfterLoad));
      traced.push(await tracedVisit(browser, server.address, kAfterLoad));
      const [q, p, f, t] = [quiet[pass], pressed[pass], floor[pass], traced[pass]];
      const answer = p.probe.answered === null ? 'not answered' : ms(p.probe.answered);
      console.log(`pass ${pass + 1}: quiet FCP ${ms(q.fcp)}, load ${ms(q.load)}, longest task ${ms(q.longest)}, ` +
        `TBT ${ms(q.tbt)} (${q.count} long tasks); pressed FCP ${ms(p.fcp)}, tap ${ms(p.probe.pressed)}, ` +
        `answer ${answer}${p.taps > 1 ? ' after a second tap' : ''}; floor FCP ${ms(f.fcp)}; ` +
        `traced: longest task's CPU time ×${cpuSlowdown} ${ms(Math.max(0, ...t.map((task) => task.phone)))}`);
    }

    console.log('\nphone profile, medians (lowest to highest):');
    console.log(`  first contentful paint: ${spread(quiet.map((v) => v.fcp), ms)}; ` +
      `the page with no script: ${spread(floor.map((v) => v.fcp), ms)}`);
    console.log(`  FCP / FCP with no script: ${spread(quiet.map((v, i) => v.fcp / floor[i].fcp), times)}`);
    console.log(`  the page's markup received: ${spread(quiet.map((v) => v.markup), ms)}; ` +
      `load event: ${spread(quiet.map((v) => v.load), ms)}`);
    console.log(`  longest task from FCP to ${kAfterLoad / 1000} s after load: ${spread(quiet.map((v) => v.longest), ms)}; ` +
      `in the whole visit: ${spread(quiet.map((v) => v.longestAny), ms)}`);
    console.log(`  visits with a task over 50 ms from FCP to ${kAfterLoad / 1000} s after load: ` +
      `${quiet.filter((v) => v.count > 0).length} of ${passes}`);
    console.log(`  total blocking time from FCP to ${kAfterLoad / 1000} s after load: ${spread(quiet.map((v) => v.tbt), ms)}`);
    console.log(`  the page with no script: longest task ${spread(floor.map((v) => v.longestAny), ms)}`);
    const first = pressed.filter((v) => v.taps === 1 && v.probe.answered !== null);
    const lost = pressed.filter((v) => v.taps > 1);
    console.log(`  from FCP to the fields being filled in: ${spread(pressed.map((v) => v.filled - v.fcp), ms)}; ` +
      `to the tap: ${spread(pressed.map((v) => v.probe.pressed - v.fcp), ms)}`);
    console.log(`  from the tap to the answer: ${spread(first.map((v) => v.probe.answered - v.probe.pressed), ms)}`);
    console.log(`  first answered press: ${spread(first.map((v) => v.probe.answered), ms)}`);
    console.log(`  first answered press / FCP: ${spread(first.map((v) => v.probe.answered / v.fcp), times)}`);
    if (lost.length) {
      const second = lost.filter((v) => v.probe.answered !== null);
      console.log(`  the tap at the first paint went unanswered in ${lost.length} of ${passes} passes; ` +
        `a second tap ${kLostAfterLoad / 1000} s after load was answered in ${second.length} of them`);
    }
    console.log(`  the probe: ${spread(pressed.map((v) => v.probe.frames), String)} frames, ` +
      `${spread(pressed.map((v) => v.probe.cost), (v) => `${v.toFixed(2)} ms`)} in its callbacks`);
    printTasks(traced);

    printVisit(await firstVisit(browser, server));
  } finally {
    await browser.close();
    await server.close();
    await floorServer.close();
    fs.rmSync(floorDir, { recursive: true, force: true });
  }
})().catch((error) => {
  console.error(error);
  process.exitCode = 1;
});
