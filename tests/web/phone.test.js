// SPDX-License-Identifier: MIT
// The web window on a phone: its arrangement at three phones' sizes (targets
// for a finger, text as rendered, the calculator on the first screen, nothing
// to scroll sideways), the window at the design's geometry on a desktop,
// texts and focus ring inside their boxes at every size, a number keyboard
// whose Enter goes on to the next field, and nothing lost before the page's
// calculations have loaded.
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { test, before, after } = require('node:test');
const { site, engine, kDesktop, kPhone, withPage, useBrowser } = require('./harness');

const engines = useBrowser(before, after);

const kFields = ['Text1', 'Text2', 'Text3', 'Text4'];
const kButtons = ['Command3', 'Command1', 'Command2'];

// Every text of the window as rendered: its element, its font size in CSS
// pixels after every scaling, and its box.
function renderedTexts() {
  const texts = [];
  for (const element of document.querySelectorAll('#Form1 > :not(canvas):not(.shape)')) {
    const style = getComputedStyle(element);
    const box = element.getBoundingClientRect();
    const scale = element.offsetHeight ? box.height / element.offsetHeight : 1;
    texts.push({
      id: element.id, tag: element.tagName, size: parseFloat(style.fontSize) * scale,
      box: { left: box.left, top: box.top, right: box.right, bottom: box.bottom },
    });
  }
  return texts;
}

for (const [width, height] of [[320, 568], [360, 640], [412, 915]]) {
  test(`the phone arrangement at ${width} × ${height}`, async () => {
    await withPage(engines.browser, { ...kPhone, width, height }, async (window, server) => {
      await window.goto(server.address);
      await window.calculationsReady();
      assert.ok(await window.evaluate(() => document.documentElement.scrollWidth) <= width,
        'the page scrolls sideways');
      const texts = new Map((await window.evaluate(renderedTexts)).map((t) => [t.id, t]));
      const controls = [...kFields, ...kButtons];
      for (const id of controls) {
        const { box, size } = texts.get(id);
        assert.ok(box.right - box.left >= 44 && box.bottom - box.top >= 44,
          `${id} is ${box.right - box.left} × ${box.bottom - box.top}`);
        assert.ok(size >= 16, `${id}'s text is ${size} px`);
        // On the first screen, without scrolling.
        assert.ok(box.left >= 0 && box.right <= width && box.top >= 0 && box.bottom <= height,
          `${id} is not on the first screen`);
      }
      for (const { id, size } of texts.values()) {
        assert.ok(size >= 12, `${id}'s text is ${size} px`);
      }
      // The calculator uses the screen's width; the legend and the link come
      // after the buttons.
      assert.ok(texts.get('Text2').box.right - texts.get('Text1').box.left >= width - 48);
      const buttonsEnd = Math.max(...kButtons.map((id) => texts.get(id).box.bottom));
      for (const id of ['Label5', 'Label10']) {
        assert.ok(texts.get(id).box.top >= buttonsEnd, `${id} is not below the buttons`);
      }
      await window.screenshot(`phone-${width}x${height}-${engine}`);
    });
  });
}

test('at a desktop size the window keeps the design\'s geometry', async () => {
  await withPage(engines.browser, kDesktop, async (window, server) => {
    await window.goto(server.address);
    await window.calculationsReady();
    const box = await window.box('Form1');
    const field = await window.box('Text1');
    assert.deepEqual([box.width, box.height, field.x - box.x, field.y - box.y, field.width,
      field.height].map(Math.round), [366, 263, 16, 48, 57, 25]);
  });
});

// The extent of a control's text, and of the focus ring round the link's.
function textInside() {
  // The glyphs' extent, without the blanks a caption may begin or end with.
  const inner = (id) => {
    const element = document.getElementById(id);
    const text = (element.querySelector('span') || element).firstChild;
    const range = document.createRange();
    range.setStart(text, text.data.length - text.data.trimStart().length);
    range.setEnd(text, text.data.trimEnd().length);
    const r = range.getBoundingClientRect();
    return { left: r.left, top: r.top, right: r.right, bottom: r.bottom };
  };
  const box = (id) => {
    const r = document.getElementById(id).getBoundingClientRect();
    const border = parseFloat(getComputedStyle(document.getElementById(id)).borderLeftWidth);
    return { left: r.left + border, top: r.top + border, right: r.right - border, bottom: r.bottom - border };
  };
  const link = document.getElementById('Label10');
  link.focus();
  const span = link.querySelector('span');
  const ring = span.getBoundingClientRect();
  const style = getComputedStyle(span);
  const out = (style.outlineStyle === 'none' ? 0 : parseFloat(style.outlineWidth)) +
    parseFloat(style.outlineOffset || '0');
  return {
    notice: inner('Label11'), foot: box('Shape2'),
    legend: ['Label5', 'Label6', 'Label7', 'Label8', 'Label9'].map(inner), legendBox: box('Shape1'),
    ring: { left: ring.left - out, top: ring.top - out, right: ring.right + out, bottom: ring.bottom + out },
    ringDrawn: style.outlineStyle !== 'none',
  };
}

for (const profile of [kDesktop, kPhone, { ...kPhone, width: 640, height: 360 }]) {
  test(`texts and the link's focus ring inside their boxes at ${profile.width} × ${profile.height}`, async () => {
    await withPage(engines.browser, profile, async (window, server) => {
      await window.goto(server.address);
      await window.calculationsReady();
      await window.pause(300);  // the legend narrowed once the fonts are in
      await window.screenshot(`arrangement-${profile.width}x${profile.height}-${engine}`);
      await window.focus('Command2');
      await window.press('Tab');  // to the link, from the keyboard: its ring shows
      const found = await window.evaluate(textInside);
      const within = (what, inner, outer) => assert.ok(
        inner.left > outer.left && inner.right < outer.right &&
        inner.top >= outer.top && inner.bottom <= outer.bottom,
        `${what} ${JSON.stringify(inner)} is not inside ${JSON.stringify(outer)}`);
      within('the notice', found.notice, found.foot);
      found.legend.forEach((line, i) => within(`legend line ${i}`, line, found.legendBox));
      assert.ok(found.ringDrawn, 'no focus ring round the link');
      within('the link\'s focus ring', found.ring, found.foot);
      await window.screenshot(`link-focus-${profile.width}x${profile.height}-${engine}`);
    });
  });
}

test('the fields ask for a number keyboard whose Enter goes on to the next field', async () => {
  await withPage(engines.browser, kPhone, async (window, server) => {
    await window.goto(server.address);
    assert.deepEqual(await window.evaluate((ids) => ids.map((id) => {
      const field = document.getElementById(id);
      return [field.getAttribute('inputmode'), field.getAttribute('enterkeyhint')];
    }), kFields), [['decimal', 'next'], ['decimal', 'next'], ['decimal', 'next'], ['decimal', 'done']]);
    if (engine !== 'chromium') {
      return;  // only Chromium's driver gives the page a touch screen
    }
    await window.calculationsReady();
    await window.click('Text1');
    await window.type('x');
    await window.press('Enter');  // no command: "x" would bring a message
    const focused = () => window.evaluate(() => document.activeElement.id);
    assert.equal(await focused(), 'Text2');
    await window.click('Text4');
    await window.press('Enter');
    assert.equal(await focused(), '');
    await window.pause(100);
    assert.equal(await window.messageOpen(), false);
    assert.deepEqual(await window.evaluate((ids) => ids.map((id) => document.getElementById(id).value),
      kFields), ['x', '0', '0', '0']);
  });
});

// The WebAssembly, held back by the server until the test lets it go: by
// its name in the page, which may carry a digest.
function heldBack() {
  const page = fs.readFileSync(path.join(site, 'index.html'), 'utf8');
  const names = ['wasm']
    .map((name) => page.match(new RegExp(`data-${name}="([^"]+)"`))[1]);
  let release;
  const gate = new Promise((resolve) => { release = resolve; });
  return { holds: Object.fromEntries(names.map((name) => [name, gate])), release };
}

for (const profile of [kDesktop, kPhone]) {
  test(`nothing is lost before the calculations have loaded (${profile === kDesktop ? 'desktop' : 'phone'})`, async () => {
    const held = heldBack();
    await withPage(engines.browser, profile, async (window, server) => {
      await window.goto(server.address);
      await window.shown();
      // A press on filled-in fields ...
      await window.evaluate(() => {
        for (const [id, value] of [['Text1', '10'], ['Text2', '12'], ['Text3', '15']]) {
          document.getElementById(id).value = value;
        }
      });
      await window.click('Command1');
      // ... and typing into EP, chosen by a click.
      await window.click('Text4');
      await window.press('End');
      await window.type('1');
      held.release();
      // The press, answered on the fields as they were, once the
      // WebAssembly has arrived and it and the worker have started: on a busy
      // machine that takes as long as the calculations' first drawing.
      await window.expectValue('Text4', '8', 'the early press', 15000);
      await window.calculationsReady();
      await window.type('4');  // still EP: the start focus took nothing
      assert.deepEqual(await window.evaluate(() => [document.activeElement.id,
        document.getElementById('Text1').value]), ['Text4', '10']);
      assert.equal(await window.value('Text4'), '84');
    }, held);
  });
}
