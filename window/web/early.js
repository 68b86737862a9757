// SPDX-License-Identifier: MIT
// The page's start-up, from the moment the page's head is parsed: the one
// place that loads what the calculator needs, and the one queue that every
// press and every focus handler runs through, in order, as the desktop's
// event loop runs them. Its states:
//   loading: ostrel-core.wasm is fetched, checked and compiled; the page's
//     worker is started and handed the compiled module, and answers with
//     the browser language's decimal separator;
//     the page's own instance of the module is made;
//   ready: that instance runs the handlers;
//   failed: a part could not be fetched, checked, compiled or started. The
//     next press loads afresh, and shows that the calculator could not be
//     loaded if that fails too.
// A handler whose WebAssembly stops (a trap) takes the state back to
// loading, with a new instance of the same module.

const root = document.documentElement;
const byId = (id) => document.getElementById(id);
const nextTask = () => new Promise((go) => setTimeout(go));
const parsed = new Promise((resolve) => {
  if (document.readyState === 'loading') {
    document.addEventListener('DOMContentLoaded', resolve, { once: true });
  } else {
    resolve();
  }
});

// The file the root element names by `attribute` (the WebAssembly),
// checked against the integrity the build wrote beside it: a file that does
// not match is not used. Taken from the browser's cache where it has one, which keeps a file
// named by its content for a year; a kept copy that does not match (a
// download that broke) is replaced from the host at once. `fresh` asks the
// host alone.
function fetchChecked(attribute, fresh) {
  const file = root.getAttribute(attribute);
  const integrity = root.getAttribute(attribute + names.attributes.integrity) || '';
  const get = (cache) => fetch(file, { credentials: 'same-origin', integrity, cache })
    .then((response) => {
      if (!response.ok) {
        throw new Error(`${file}: ${response.status}`);
      }
      return response;
    });
  return fresh ? get('reload') : get('default').catch(() => get('reload'));
}

// The style sheet, which the browser checks by the integrity the page gives
// it: a copy in the browser's cache that does not match is fetched again
// from the host and the sheet loaded anew, once.
document.addEventListener('error', (event) => {
  const link = event.target;
  if (!(link instanceof HTMLLinkElement) || link.rel !== 'stylesheet' || link.dataset.again) {
    return;
  }
  fetch(link.href, { credentials: 'same-origin', integrity: link.integrity, cache: 'reload' })
    .then(() => {
      const again = link.cloneNode();
      again.dataset.again = 'yes';
      link.replaceWith(again);
    }, () => {});
}, true);

// The module, compiled from the checked answer (from its bytes where the
// host gives it another type than WebAssembly's).
function compile(response) {
  return WebAssembly.compileStreaming(response.clone())
    .catch(() => response.arrayBuffer().then((bytes) => WebAssembly.compile(bytes)));
}

// The page's worker (worker.js), started at once from its code in this
// script, and a promise of the decimal separator it finds for the browser's
// language; the promise fails if the worker does not start.
function startWorker() {
  const source = `'use strict';\nconst ostrelInstantiate = ${ostrelInstantiate};\n(${ostrelWorker})();\n`;
  const url = URL.createObjectURL(new Blob([source], { type: 'text/javascript' }));
  const worker = new Worker(url);
  const separator = new Promise((resolve, reject) => {
    const answer = ({ data }) => {
      if (data.type !== 'separator') {
        return;
      }
      if (data.language !== navigator.language) {
        worker.postMessage({ type: 'separator', language: navigator.language });
        return;
      }
      worker.removeEventListener('message', answer);
      resolve(data.separator);
    };
    worker.addEventListener('message', answer);
    worker.addEventListener('error', (event) => {
      event.preventDefault();
      reject(new Error('the page\'s worker did not start'));
    }, { once: true });
  });
  separator.finally(() => URL.revokeObjectURL(url)).catch(() => {});
  return { worker, separator };
}

// The handlers of an instance: each call's texts written into its memory
// with their lengths, its steps read back (binding.cpp).
function handlersOf(exports, separator) {
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();
  const call = (handler, name, texts) => {
    const parts = [name, ...texts, separator].map((text) => encoder.encode(text));
    const at = exports.ostrel_texts(parts.reduce((sum, part) => sum + part.length, 0));
    if (!at) {
      throw new RangeError('no memory for the texts');
    }
    const memory = new Uint8Array(exports.memory.buffer);
    let offset = at;
    for (const part of parts) {
      memory.set(part, offset);
      offset += part.length;
    }
    const size = handler(...parts.map((part) => part.length));
    return JSON.parse(decoder.decode(new Uint8Array(exports.memory.buffer, exports.ostrel_answer(), size)));
  };
  return {
    click: (id, texts) => call(exports.ostrel_click, id, texts),
    gotFocus: (id, texts) => call(exports.ostrel_got_focus, id, texts),
  };
}

// One try at loading: the calculator's core, {module, worker, separator,
// handlers}. A worker that was started goes again if the try fails.
function load(fresh) {
  const module = fetchChecked(names.attributes.wasm, fresh).then(compile);
  const started = new Promise((resolve) => resolve(startWorker()));
  Promise.all([module, started]).then(([compiled, { worker }]) => {
    worker.postMessage({ type: 'module', module: compiled });
  }, () => {});
  // The instance in a task of its own, after the compilation's.
  const exports = module.then((compiled) => nextTask().then(() => ostrelInstantiate(compiled)));
  const core = Promise.all([module, exports, started, started.then(({ separator }) => separator)])
    .then(([compiled, instance, { worker }, separator]) => ({
      module: compiled, worker, separator, handlers: handlersOf(instance, separator),
    }));
  core.catch(() => started.then(({ worker }) => worker.terminate(), () => {}));
  return core;
}

const startup = {
  state: 'loading',  // 'loading', 'ready' or 'failed'
  core: null,        // when ready
  attempt: null,     // a promise of the core: the try under way, or the last
  onReady: [],       // called with each core that becomes ready
};

function begin(attempt) {
  startup.state = 'loading';
  startup.core = null;
  startup.attempt = attempt;
  attempt.then((core) => {
    if (startup.attempt === attempt) {
      startup.state = 'ready';
      startup.core = core;
      startup.onReady.forEach((ready) => ready(core));
    }
  }, (error) => {
    if (startup.attempt === attempt) {
      startup.state = 'failed';
      console.warn('Ostrel could not load its calculations:', error);
    }
  });
}

// The core for a press: a failed start-up is tried afresh.
function coreForPress() {
  if (startup.state === 'failed') {
    begin(load(true));
  }
  return startup.attempt;
}

// After a trap: a new instance of the same module, the rest kept.
function renew(core) {
  begin(ostrelInstantiate(core.module).then((exports) => ({
    ...core, handlers: handlersOf(exports, core.separator),
  })));
}

// The queue: a task starts at once when nothing is queued before it (so a
// focus handler runs before the key that follows it), otherwise when the
// tasks before it have ended; a task's promise ends its turn.
let queued = 0;
let turns = Promise.resolve();
function enqueue(task) {
  const run = () => {
    let ended;
    try {
      ended = Promise.resolve(task());
    } catch (error) {
      ended = Promise.reject(error);
    }
    return ended.catch((error) => console.error('Ostrel:', error)).finally(() => {
      queued -= 1;
    });
  };
  queued += 1;
  turns = queued === 1 ? run() : turns.then(run);
}

begin(load(false));
