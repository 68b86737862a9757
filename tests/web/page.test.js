// SPDX-License-Identifier: MIT
// The web window's own traps, which the shared scenario does not reach: the
// size of the first visit, a press before the WebAssembly has arrived, the
// browser language's decimal separator, a long program-written result, and
// the accessibility rules of WCAG 2.1 A and AA in a light and a dark scheme.
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const { test, before, after } = require('node:test');
const { site, engine, kDesktop, kPhone, withPage, useBrowser } = require('./harness');

const engines = useBrowser(before, after);
const kBudget = 64 * 1024;  // bytes as the server sent them, for everything the first visit fetches

test('a phone\'s first visit fetches each file once, 64 KiB at most as sent, and draws the picture sharp', async () => {
  await withPage(engines.browser, kPhone, async (window, server) => {
    await window.goto(server.address);
    await window.waitFor(() => navigator.serviceWorker.controller !== null, undefined, 15000);
    // The background picture, drawn by its worker at the screen's density:
    // [width, height] in screen pixels, and what the canvas covers.
    const sizes = () => {
      const canvas = document.getElementById('Background');
      const scale = Math.min(4, Math.ceil(window.devicePixelRatio));
      return [[canvas.width, canvas.height], [canvas.clientWidth * scale, canvas.clientHeight * scale]];
    };
    let drawn = await window.evaluate(sizes);
    for (const end = Date.now() + 15000; String(drawn[0]) !== String(drawn[1]) && Date.now() < end;) {
      await window.pause(100);
      drawn = await window.evaluate(sizes);
    }
    assert.deepEqual(drawn[0], drawn[1], 'the picture in screen pixels');
    // Counted at the server, as sent (compressed where the browser asked):
    // Firefox tells its driver nothing of the service worker's own fetches.
    const fetched = server.log.filter((entry) => entry.status === 200);
    const names = fetched.map((entry) => entry.name);
    assert.deepEqual(names, [...new Set(names)], 'fetched more than once');
    const built = JSON.parse(fs.readFileSync(`${site}.files.json`, 'utf8'));
    assert.ok(names.includes(built['ostrel-core.wasm']), String(names));
    const total = fetched.reduce((sum, entry) => sum + entry.bytes, 0);
    assert.ok(total <= kBudget,
      `${total} bytes: ${fetched.map((entry) => `${entry.name} ${entry.bytes} ${entry.encoding}`)}`);
  });
});

test('a press before the WebAssembly has arrived waits for it, and nothing typed is lost', async () => {
  let release;
  const holds = { 'ostrel-core.wasm': new Promise((resolve) => { release = resolve; }) };
  await withPage(engines.browser, kDesktop, async (window, server) => {
    await window.goto(server.address);
    await window.shown();
    await window.fill('Text1', '10');
    await window.fill('Text2', '12');
    await window.fill('Text3', '15');
    await window.click('Command1');
    await window.focus('Text2');
    await window.press('End');
    await window.type('0');  // GEV 120, typed while the press waits
    release();
    // The command reads the fields when it runs: 10 to 15 below GEV 120.
    await window.expectValue('Text4', '5');
    assert.equal(await window.value('Text2'), '120');
  }, { holds });
});

test('the decimal separator is the browser language\'s', async () => {
  for (const [locale, budget, other] of [['en-US', '7.5', '7,5'], ['sv-SE', '7,5', '7.5']]) {
    await withPage(engines.browser, { ...kDesktop, locale }, async (window, server) => {
      await window.goto(server.address);
      await window.calculationsReady();
      const reach = async (ep) => {
        await window.fill('Text1', '10');
        await window.fill('Text2', '12');
        await window.fill('Text3', '0');
        await window.fill('Text4', ep);
        await window.click('Command2');
      };
      await reach(budget);
      await window.expectValue('Text3', '15', locale);
      // The other language's separator is no number here.
      await reach(other);
      await window.waitForMessage();
      assert.equal(await window.messageText(),
        'Ostrel kan endast räkna med siffror, såsom 1, 2 och 3.', locale);
      await window.click('MessageOk');
      // The repair follows the closing of the box.
      await window.expectValue('Text4', '0', locale);
    });
  }
});

test('a long result is written whole, and Tab into it selects its first eight characters', async () => {
  await withPage(engines.browser, kDesktop, async (window, server) => {
    await window.goto(server.address);
    await window.calculationsReady();
    await window.fill('Text1', '0');
    await window.fill('Text2', '0');
    await window.fill('Text3', '46340');
    await window.click('Command1');
    await window.expectValue('Text4', '1073720970');
    await window.focus('Text3');
    await window.press('Tab');
    await window.pause(100);
    assert.deepEqual(await window.evaluate(() => {
      const field = document.getElementById('Text4');
      return [document.activeElement === field, field.selectionStart, field.selectionEnd];
    }), [true, 0, 8]);
    // Escape in a field presses nothing either.
    await window.press('Escape');
    assert.equal(await window.messageOpen(), false);
    assert.equal(await window.value('Text4'), '1073720970');
  });
});

// WebKitGTK paints buttons in GTK's own dark colours, while axe reads their
// colours from the style sheet, which leaves them to the browser: in its
// dark scheme axe would judge colours that are not on the screen.
function paintedByGtk(violation, colorScheme) {
  return engine === 'webkit' && colorScheme === 'dark' && violation.id === 'color-contrast' &&
    violation.targets.every((target) => /^#(Command[123]|MessageOk)$/.test(target));
}

test('no accessibility violations (WCAG 2.1 A and AA), light and dark, desktop and phone', async () => {
  const axe = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
  const rules = { runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa'] } };
  for (const [size, profile] of [['desktop', kDesktop], ['phone', kPhone]]) {
    for (const colorScheme of ['light', 'dark']) {
      await withPage(engines.browser, { ...profile, colorScheme }, async (window, server) => {
        await window.goto(server.address);
        await window.calculationsReady();
        // Put in by the driver, which the page's policy does not govern.
        await window.evaluate(axe);
        const check = async (state) => {
          const violations = await window.evaluate(async (options) => {
            const result = await window.axe.run(document, options);
            return result.violations.map((v) => ({ id: v.id, targets: v.nodes.map((n) => String(n.target)) }));
          }, rules);
          const found = violations
            .filter((violation) => !paintedByGtk(violation, colorScheme))
            .map((v) => `${v.id}: ${v.targets.join(' ')}`);
          assert.deepEqual(found, [], `${engine}, ${size}, ${colorScheme}, ${state}`);
        };
        await check('the window');
        await window.screenshot(`${size}-${colorScheme}-${engine}`);
        await window.fill('Text1', 'x');
        await window.click('Command1');
        await window.waitForMessage();
        await check('a message box open');
      });
    }
  }
});
