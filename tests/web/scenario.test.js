// SPDX-License-Identifier: MIT
// End to end in the browser: the shared scenario (tests/e2e/scenario.txt),
// typed and clicked as a person would, at a desktop size and at a phone's
// size (tapped where the engine's driver can touch); nothing may go wrong on
// the page meanwhile (no console error, no Content-Security-Policy
// violation).
'use strict';

const assert = require('node:assert/strict');
const { test, before, after } = require('node:test');
const { engine, kDesktop, kPhone, withPage, useBrowser } = require('./harness');
const scenario = require('./scenario');

const engines = useBrowser(before, after);

// Every control lies on the screen, and nothing scrolls sideways.
async function allOnScreen(window) {
  const { width } = window.profile;
  assert.ok(await window.evaluate(() => document.documentElement.scrollWidth) <= width,
    'the page scrolls sideways');
  const controls = await window.evaluate(() =>
    [...document.querySelectorAll('#Form1 > :not(canvas)')].map((control) => control.id));
  for (const id of controls) {
    if (id === 'Picture1') {
      continue;  // the strip runs past both edges of the window, as designed
    }
    const rect = await window.box(id);
    assert.ok(rect.x >= 0 && rect.x + rect.width <= width && rect.y >= 0, `${id} leaves the screen`);
  }
}

// Runs every step on `window`; screenshots are named with `suffix`. A step
// that fails is named with its line.
async function run(window, suffix) {
  for (const step of scenario.read()) {
    const where = `scenario line ${step.line}: ${step.verb} ${step.argument}`;
    try {
      await runStep(window, step, suffix);
    } catch (error) {
      error.message = `${where}: ${error.name}: ${error.message}`;
      throw error;
    }
  }
}

async function runStep(window, step, suffix) {
  const settle = () => window.pause(50);
  switch (step.verb) {
    case 'type':
      await window.type(step.argument);
      break;
    case 'key':
      for (const key of step.argument.split(' ')) {
        await window.press(key);
      }
      await settle();
      break;
    case 'click':
      await window.click(step.argument);
      await settle();
      break;
    case 'expect': {
      const space = step.argument.indexOf(' ');
      await window.expectValue(step.argument.slice(0, space), step.argument.slice(space + 1));
      break;
    }
    case 'message':
      await window.waitForMessage();
      assert.equal(await window.messageText(), step.argument);
      // One box, named "Ostrel" for a screen reader.
      assert.deepEqual(await window.evaluate(() => {
        const open = [...document.querySelectorAll('dialog')].filter((dialog) => dialog.open);
        return open.map((dialog) =>
          document.getElementById(dialog.getAttribute('aria-labelledby')).textContent);
      }), ['Ostrel']);
      break;
    case 'close':
      await window.press('Enter');
      await window.waitForMessage(false);
      await settle();
      break;
    case 'no-message':
      await settle();
      assert.equal(await window.messageOpen(), false, 'a message box is open');
      break;
    case 'screenshot': {
      // The window alone at a desktop size; the whole screen of a phone,
      // or while a box is open.
      await settle();
      const whole = window.profile === kPhone || await window.messageOpen();
      await window.screenshot(`${step.argument}-${suffix}-${engine}`, whole ? undefined : 'Form1');
      break;
    }
    default:
      assert.fail('no such step');
  }
}

test('the scenario at a desktop size, with mouse and keyboard', async () => {
  await withPage(engines.browser, kDesktop, async (window, server) => {
    await window.goto(server.address);
    await window.calculationsReady();
    await allOnScreen(window);
    await run(window, 'desktop');
  });
});

test('the scenario on a phone held upright', async () => {
  await withPage(engines.browser, kPhone, async (window, server) => {
    await window.goto(server.address);
    await window.calculationsReady();

    await allOnScreen(window);

    if (engine === 'chromium') {
      // No keyboard pops up uninvited: on a touch screen nothing has the
      // focus at start.
      assert.equal(await window.evaluate(() => document.activeElement.tagName), 'BODY');
    }
    // The person taps FV, whose 0 is then selected, as the focus at start
    // would select it.
    await window.click('Text1');
    await window.pause(50);
    await run(window, 'phone');
  });
});
