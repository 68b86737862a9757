// SPDX-License-Identifier: MIT
// Reads the shared end-to-end scenario (tests/e2e/scenario.txt) with the
// same rules as the X drivers' reader (tests/e2e/x-driver.sh): every step
// belongs to a section, each verb takes the argument it needs, and a file
// that breaks a rule is refused with its line before anything runs.
'use strict';

const fs = require('node:fs');
const path = require('node:path');

const file = path.resolve(__dirname, '../e2e/scenario.txt');

// The keys a `key` step may press.
const kKeys = ['Tab', 'Shift+Tab', 'Enter', 'Space', 'Escape'];

// [{line, section, verb, argument}] in the file's order.
function read(text = fs.readFileSync(file, 'utf8')) {
  const steps = [];
  const sections = new Set();
  let section = '';
  text.split('\n').forEach((raw, index) => {
    const line = index + 1;
    const content = raw.replace(/\r$/, '');
    if (content.trim() === '' || content.startsWith('#')) {
      return;
    }
    const fail = (why) => {
      throw new Error(`${path.basename(file)}:${line}: ${why}`);
    };
    const space = content.indexOf(' ');
    const verb = space < 0 ? content : content.slice(0, space);
    const argument = space < 0 ? '' : content.slice(space + 1);
    switch (verb) {
      case 'section':
        if (argument === '' || argument.includes(' ')) fail('a section needs one name');
        if (sections.has(argument)) fail(`a second section ${argument}`);
        sections.add(argument);
        section = argument;
        return;
      case 'type':
      case 'click':
      case 'message':
      case 'screenshot':
        if (argument === '') fail(`${verb} needs an argument`);
        break;
      case 'key':
        if (argument === '') fail('key needs a key');
        for (const key of argument.split(' ')) {
          if (!kKeys.includes(key)) fail(`no key called '${key}'`);
        }
        break;
      case 'expect':
        if (!/^.+ .+$/.test(argument)) fail('expect needs a control and a text');
        break;
      case 'close':
      case 'no-message':
        if (argument !== '') fail(`${verb} takes no argument`);
        break;
      default:
        fail(`no step called '${verb}'`);
    }
    if (section === '') fail('a step before the first section');
    steps.push({ line, section, verb, argument });
  });
  return steps;
}

module.exports = { file, read, kKeys };
