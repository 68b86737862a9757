// End to end in the browser: the shared scenario (tests/e2e/scenario.txt),
// typed, clicked and tapped as a person would, at a desktop size and at a
// phone's size with touch; nothing may go wrong on the page meanwhile (no
// console error, no Content-Security-Policy violation).
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { test } = require('node:test');
const { serve, launch, kDesktop, kPhone, watch, calculationsReady } = require('./harness');

const scenario = path.resolve(__dirname, '../e2e/scenario.txt');
const shots = process.env.OSTREL_SCREENSHOT_DIR || path.resolve('screenshots');

const kKeys = { Tab: 'Tab', 'Shift+Tab': 'Shift+Tab', Enter: 'Enter', Space: 'Space', Escape: 'Escape' };

// The steps of the scenario: {line, verb, argument}.
function steps() {
  return fs.readFileSync(scenario, 'utf8').split('\n')
    .map((text, index) => ({ text, line: index + 1 }))
    .filter(({ text }) => text.trim() !== '' && !text.startsWith('#'))
    .map(({ text, line }) => {
      const space = text.indexOf(' ');
      return space < 0 ? { line, verb: text, argument: '' }
        : { line, verb: text.slice(0, space), argument: text.slice(space + 1) };
    });
}

// How a person operates the web window: with the mouse or a finger, the
// keyboard, and their eyes.
async function run(page, { touch, suffix }) {
  const box = page.locator('#Message');
  const centre = async (name) => {
    const rect = await page.locator(`#${name}`).boundingBox();
    assert.ok(rect, `${name} is not on the page`);
    return { x: rect.x + rect.width / 2, y: rect.y + rect.height / 2 };
  };
  const settle = () => page.waitForTimeout(50);
  for (const step of steps()) {
    const where = `scenario line ${step.line}: ${step.verb} ${step.argument}`;
    switch (step.verb) {
      case 'section':
        break;
      case 'type':
        await page.keyboard.type(step.argument, { delay: 20 });
        break;
      case 'key':
        for (const key of step.argument.split(' ')) {
          assert.ok(kKeys[key], `${where}: no such key`);
          await page.keyboard.press(kKeys[key]);
        }
        await settle();
        break;
      case 'click': {
        const { x, y } = await centre(step.argument);
        if (touch) {
          await page.touchscreen.tap(x, y);
        } else {
          await page.mouse.click(x, y);
        }
        await settle();
        break;
      }
      case 'expect': {
        const space = step.argument.indexOf(' ');
        const [name, text] = [step.argument.slice(0, space), step.argument.slice(space + 1)];
        await page.waitForFunction(([id, want]) => document.getElementById(id).value === want,
          [name, text], { timeout: 5000 }).catch(() => {});
        assert.equal(await page.locator(`#${name}`).inputValue(), text, where);
        break;
      }
      case 'message':
        await box.waitFor({ state: 'visible', timeout: 5000 });
        assert.equal(await box.evaluate((dialog) => dialog.open), true, where);
        assert.equal(await page.locator('#MessageText').textContent(), step.argument, where);
        assert.equal(await page.getByRole('dialog', { name: 'Ostrel' }).count(), 1, where);
        break;
      case 'close':
        await page.keyboard.press('Enter');
        await box.waitFor({ state: 'hidden', timeout: 5000 });
        await settle();
        break;
      case 'no-message':
        await settle();
        assert.equal(await box.evaluate((dialog) => dialog.open), false, where);
        break;
      case 'screenshot': {
        // The window alone at a desktop size; the whole screen of a phone,
        // or while a box is open.
        fs.mkdirSync(shots, { recursive: true });
        await settle();
        const file = path.join(shots, `${step.argument}-${suffix}.png`);
        const boxOpen = await box.evaluate((dialog) => dialog.open);
        await (touch || boxOpen ? page : page.locator('#Form1')).screenshot({ path: file });
        break;
      }
      default:
        assert.fail(`${where}: no such step`);
    }
  }
}

test('the scenario at a desktop size, with mouse and keyboard', async () => {
  const server = await serve();
  const browser = await launch();
  try {
    const page = await (await browser.newContext(kDesktop)).newPage();
    const problems = watch(page);
    await page.goto(server.address);
    await calculationsReady(page);
    await run(page, { touch: false, suffix: 'desktop' });
    assert.deepEqual(problems, []);
  } finally {
    await browser.close();
    await server.close();
  }
});

test('the scenario on a phone held upright, with touch', async () => {
  const server = await serve();
  const browser = await launch();
  try {
    const page = await (await browser.newContext(kPhone)).newPage();
    const problems = watch(page);
    await page.goto(server.address);
    await calculationsReady(page);

    // Every control on screen, and nothing to scroll sideways.
    const width = kPhone.viewport.width;
    assert.ok(await page.evaluate(() => document.documentElement.scrollWidth) <= width);
    for (const control of await page.locator('#Form1 > :not(canvas)').all()) {
      const rect = await control.boundingBox();
      const id = await control.getAttribute('id');
      if (id === 'Picture1') {
        continue;  // the strip runs past both edges of the window, as designed
      }
      assert.ok(rect.x >= 0 && rect.x + rect.width <= width, `${id} leaves the screen`);
    }

    // No keyboard pops up uninvited: nothing has the focus at start. The
    // person taps FV, whose 0 is then selected, as the focus at start would.
    assert.equal(await page.evaluate(() => document.activeElement.tagName), 'BODY');
    const fv = await page.locator('#Text1').boundingBox();
    await page.touchscreen.tap(fv.x + fv.width / 2, fv.y + fv.height / 2);
    await page.waitForTimeout(50);
    await run(page, { touch: true, suffix: 'phone' });
    assert.deepEqual(problems, []);
  } finally {
    await browser.close();
    await server.close();
  }
});
