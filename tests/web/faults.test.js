// SPDX-License-Identifier: MIT
// What a new user meets that the scenario does not bring: a download that
// broke, texts no one types (a NUL, a long text set by a script), clicks in
// the message box, and a browser with JavaScript turned off. None of them
// may leave a press doing nothing.
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { test, before, after } = require('node:test');
const { site, kDesktop, withPage, useBrowser } = require('./harness');

const engines = useBrowser(before, after);

const kNotANumber = 'Ostrel kan endast räkna med siffror, såsom 1, 2 och 3.';
const kLoadFailed = 'Räknaren kunde inte laddas. Försök igen.';

async function fillIn(window, texts) {
  for (const [id, text] of Object.entries(texts)) {
    await window.fill(id, text);
  }
}

// Closes the box with `key` on OK, or wherever the focus is.
async function close(window, key = 'Enter') {
  await window.press(key);
  await window.waitForMessage(false);
}

// The page's service worker, once it has tried to install: whether one is
// active, which it is only if it kept every file.
function serviceWorkerSettled() {
  return navigator.serviceWorker.register('sw.js').then((registration) => {
    const worker = registration.installing || registration.waiting;
    if (!worker) {
      return Boolean(registration.active);
    }
    return new Promise((resolve) => {
      worker.addEventListener('statechange', () => {
        if (worker.state === 'activated' || worker.state === 'redundant') {
          resolve(Boolean(registration.active));
        }
      });
    });
  });
}

// A copy of the site whose file `name` is broken on the host as a dropped
// connection or a half-finished upload leaves it: its first half, with no
// compressed copies. mend() puts it right again; remove() takes the copy.
function brokenSite(find) {
  const root = fs.mkdtempSync(path.join(os.tmpdir(), 'ostrel-broken-'));
  fs.cpSync(site, root, { recursive: true });
  const name = find(fs.readFileSync(path.join(root, 'index.html'), 'utf8'));
  const versions = ['', '.br', '.gz'].filter((suffix) => fs.existsSync(path.join(root, name + suffix)));
  const whole = versions.map((suffix) => fs.readFileSync(path.join(root, name + suffix)));
  versions.forEach((suffix, i) => {
    const file = path.join(root, name + suffix);
    if (suffix) {
      fs.rmSync(file);
    } else {
      fs.writeFileSync(file, whole[i].subarray(0, whole[i].length >> 1));
    }
  });
  return {
    root,
    // The browsers' words for a file that does not match its integrity, and
    // the page's own for the load it gave up.
    expected: new RegExp(`${name.replace(/\./g, '\\.')}|integrity|Ostrel could not load`),
    mend: () => versions.forEach((suffix, i) => fs.writeFileSync(path.join(root, name + suffix), whole[i])),
    remove: () => fs.rmSync(root, { recursive: true, force: true }),
  };
}

const named = (attribute) => (page) => page.match(new RegExp(`${attribute}="([^"]+)"`))[1];

test('a broken WebAssembly is told, not kept, and once the host is mended one reload calculates', async () => {
  const broken = brokenSite(named('data-wasm'));
  try {
    await withPage(engines.browser, kDesktop, async (window, server) => {
      await window.goto(server.address);
      await window.shown();
      await fillIn(window, { Text1: '10', Text2: '12', Text3: '15' });
      await window.click('Command1');
      await window.waitForMessage();
      assert.equal(await window.messageText(), kLoadFailed);
      await close(window);
      // The next press tries again, and says so again.
      await window.click('Command1');
      await window.waitForMessage();
      assert.equal(await window.messageText(), kLoadFailed);
      await close(window);
      assert.equal(await window.evaluate(serviceWorkerSettled), false, 'a service worker kept the broken file');

      broken.mend();
      await window.reload();
      await window.calculationsReady();
      await fillIn(window, { Text1: '10', Text2: '12', Text3: '15' });
      await window.click('Command1');
      await window.expectValue('Text4', '8', 'after the host was mended');
    }, { root: broken.root, expected: broken.expected });
  } finally {
    broken.remove();
  }
});

test('a broken style sheet is not used, nor kept, and once the host is mended one reload shows the window', async () => {
  const broken = brokenSite(named('rel="stylesheet" href'));
  try {
    await withPage(engines.browser, kDesktop, async (window, server) => {
      await window.goto(server.address);
      // It calculates all the same.
      await fillIn(window, { Text1: '10', Text2: '12', Text3: '15' });
      await window.click('Command1');
      await window.expectValue('Text4', '8', 'unstyled', 15000);
      assert.equal(await window.evaluate(() => getComputedStyle(document.getElementById('Form1')).position),
        'static', 'the broken style sheet was used');
      assert.equal(await window.evaluate(serviceWorkerSettled), false, 'a service worker kept the broken file');
      broken.mend();
      await window.reload();
      await window.shown();
    }, { root: broken.root, expected: broken.expected });
  } finally {
    broken.remove();
  }
});

// The text the person sees is the text the checks judge: a NUL (pasted or
// dropped) is no end of it, and a text of any length reaches the handler.
for (const [what, text] of [['a NUL', '5\u000099'], ['a long text set by a script', '7'.repeat(20000) + 'x']]) {
  test(`${what} in a field is not a number, and the page goes on`, async () => {
    await withPage(engines.browser, kDesktop, async (window, server) => {
      await window.goto(server.address);
      await window.calculationsReady();
      await fillIn(window, { Text1: text, Text2: '12', Text3: '15' });
      await window.click('Command1');
      await window.waitForMessage();
      assert.equal(await window.messageText(), kNotANumber);
      await close(window);
      await window.expectValue('Text1', '0');
      await window.expectValue('Text4', '18');  // from FV 0
      await fillIn(window, { Text2: text });
      await window.click('Command3');
      for (const id of ['Text1', 'Text2', 'Text3', 'Text4']) {
        await window.expectValue(id, '0', 'after Rensa');
      }
    });
  });
}

// As in the desktop windows' boxes, OK keeps the focus wherever in the box
// the person clicks, and Enter and Space then press it.
test('the message box: a click anywhere in it leaves the focus on OK, Tab stays there, Enter and Space press OK', async () => {
  const clicks = {
    MessageText: (window) => window.click('MessageText'),
    MessageTitle: (window) => window.click('MessageTitle'),
    backdrop: (window) => window.page.clickAt(4, 4),
  };
  await withPage(engines.browser, kDesktop, async (window, server) => {
    await window.goto(server.address);
    await window.calculationsReady();
    const focused = () => window.evaluate(() => document.activeElement.id);
    for (const [where, key] of [['MessageText', 'Enter'], ['MessageTitle', 'Space'], ['backdrop', 'Enter'],
      ['MessageText', 'Space']]) {
      const row = `${where}, ${key}`;
      await fillIn(window, { Text1: 'x' });
      await window.click('Command1');
      await window.waitForMessage();
      await clicks[where](window);
      for (const tab of ['Tab', 'Shift+Tab', 'Tab']) {
        await window.press(tab);
        assert.equal(await focused(), 'MessageOk', `${row}: after ${tab}`);
      }
      await clicks[where](window);
      await close(window, key);
      await window.pause(100);
      assert.equal(await window.messageOpen(), false, `${row}: a box again`);
      assert.equal(await focused(), 'Command1', row);
      await window.expectValue('Text1', '0', row);
    }
  });
});

test('without JavaScript, the page says that the calculator needs it', async () => {
  await withPage(engines.browser, { ...kDesktop, javaScript: false }, async (window, server) => {
    await window.goto(server.address);
    await window.shown();
    const [notice, text, form] = await window.evaluate(() => {
      const element = document.getElementById('NoScript');
      const box = (e) => e && JSON.parse(JSON.stringify(e.getBoundingClientRect()));
      return [box(element), element && element.textContent, box(document.getElementById('Form1'))];
    });
    assert.equal(text, 'Räknaren behöver JavaScript. Slå på JavaScript i webbläsaren för att räkna.');
    assert.ok(notice.width > 0 && notice.height > 0, 'the notice is not shown');
    assert.ok(notice.bottom <= form.top, 'the notice is not above the window');
  });
});
