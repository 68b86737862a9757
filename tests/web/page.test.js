// The web window's own traps, which the shared scenario does not reach: the
// size of the first visit, a press before the WebAssembly has arrived, the
// browser language's decimal separator, a long program-written result, and
// the accessibility rules of WCAG 2.1 A and AA in a light and a dark scheme.
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');
const { test } = require('node:test');
const { site, serve, launch, kDesktop, watch, calculationsReady } = require('./harness');

const kBudget = 100 * 1024;  // bytes, gzip-compressed, for everything the first visit fetches

async function withPage(options, body, serverOptions) {
  const server = await serve(site, serverOptions);
  const browser = await launch();
  try {
    const page = await (await browser.newContext(options)).newPage();
    const problems = watch(page);
    await body(page, server);
    assert.deepEqual(problems, []);
  } finally {
    await browser.close();
    await server.close();
  }
}

test('the first visit fetches at most 100 KiB compressed, the service worker included', async () => {
  await withPage(kDesktop, async (page, server) => {
    await page.goto(server.address);
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    const fetched = server.log.filter((entry) => entry.status === 200);
    let total = 0;
    for (const { name } of fetched) {
      total += zlib.gzipSync(fs.readFileSync(path.join(site, name)), { level: 9 }).length;
    }
    assert.ok(fetched.some((entry) => entry.name === 'ostrel-core.wasm'));
    assert.ok(total <= kBudget, `${total} bytes: ${fetched.map((entry) => entry.name)}`);
  });
});

test('a press before the WebAssembly has arrived waits for it, and nothing typed is lost', async () => {
  let release;
  const holds = { 'ostrel-core.wasm': new Promise((resolve) => { release = resolve; }) };
  await withPage(kDesktop, async (page, server) => {
    await page.goto(server.address, { waitUntil: 'domcontentloaded' });
    await page.locator('#Text1').fill('10');
    await page.locator('#Text2').fill('12');
    await page.locator('#Text3').fill('15');
    await page.locator('#Command1').click();
    await page.locator('#Text2').press('End');
    await page.keyboard.type('0');  // GEV 120, typed while the press waits
    release();
    await page.waitForFunction(() => document.getElementById('Text4').value !== '0');
    // The command reads the fields when it runs: 10 to 15 below GEV 120.
    assert.equal(await page.locator('#Text4').inputValue(), '5');
    assert.equal(await page.locator('#Text2').inputValue(), '120');
  }, { holds });
});

test('the decimal separator is the browser language\'s', async () => {
  for (const [locale, budget, other] of [['en-US', '7.5', '7,5'], ['sv-SE', '7,5', '7.5']]) {
    await withPage({ ...kDesktop, locale }, async (page, server) => {
      await page.goto(server.address);
      await calculationsReady(page);
      const reach = async (ep) => {
        await page.locator('#Text1').fill('10');
        await page.locator('#Text2').fill('12');
        await page.locator('#Text3').fill('0');
        await page.locator('#Text4').fill(ep);
        await page.locator('#Command2').click();
      };
      await reach(budget);
      await page.waitForFunction(() => document.getElementById('Text3').value === '15');
      // The other language's separator is no number here.
      await reach(other);
      await page.locator('#Message').waitFor({ state: 'visible' });
      assert.equal(await page.locator('#MessageText').textContent(),
        'Ostrel kan endast räkna med siffror, såsom 1, 2 och 3.', locale);
      await page.locator('#MessageOk').click();
      // The repair follows the closing of the box.
      await page.waitForFunction(() => document.getElementById('Text4').value === '0');
    });
  }
});

test('a long result is written whole, and Tab into it selects its first eight characters', async () => {
  await withPage(kDesktop, async (page, server) => {
    await page.goto(server.address);
    await calculationsReady(page);
    await page.locator('#Text1').fill('0');
    await page.locator('#Text2').fill('0');
    await page.locator('#Text3').fill('46340');
    await page.locator('#Command1').click();
    await page.waitForFunction(() => document.getElementById('Text4').value !== '0');
    assert.equal(await page.locator('#Text4').inputValue(), '1073720970');
    await page.locator('#Text3').focus();
    await page.keyboard.press('Tab');
    await page.waitForTimeout(100);
    assert.deepEqual(await page.locator('#Text4').evaluate((field) =>
      [document.activeElement === field, field.selectionStart, field.selectionEnd]), [true, 0, 8]);
    // Escape in a field presses nothing either.
    await page.keyboard.press('Escape');
    assert.equal(await page.locator('#Message').evaluate((dialog) => dialog.open), false);
    assert.equal(await page.locator('#Text4').inputValue(), '1073720970');
  });
});

test('no accessibility violations (WCAG 2.1 A and AA) in a light or a dark scheme', async () => {
  const axe = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
  const rules = { runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa'] } };
  for (const colorScheme of ['light', 'dark']) {
    await withPage({ ...kDesktop, colorScheme }, async (page, server) => {
      await page.goto(server.address);
      await calculationsReady(page);
      await page.evaluate(axe);  // by the debugger, which the page's policy does not govern
      const check = async (state) => {
        const result = await page.evaluate((options) => window.axe.run(document, options), rules);
        const found = result.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`);
        assert.deepEqual(found, [], `${colorScheme}, ${state}`);
      };
      await check('the window');
      await page.locator('#Text1').fill('x');
      await page.locator('#Command1').click();
      await page.locator('#Message').waitFor({ state: 'visible' });
      await check('a message box open');
    });
  }
});
