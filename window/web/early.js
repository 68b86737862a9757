// SPDX-License-Identifier: MIT

'use strict';
(() => {
  const root = document.documentElement;
  const early = { presses: [], wasm: null, worker: null, separator: null };
  window.ostrelEarly = early;

  // The page's scripts, the WebAssembly's glue and then the page's own, run
  // in that order as they arrive. Inserted from here, not written in the
  // page as deferred scripts, they leave the page's DOMContentLoaded, and
  // the browser's own work at it, to come as soon as the page is parsed,
  // before its first paint, not after it in one long task with them.
  for (const name of ['%GLUE_ATTRIBUTE%', '%SCRIPT_ATTRIBUTE%']) {
    const element = document.createElement('script');
    element.src = root.getAttribute(name);
    element.async = false;
    document.head.append(element);
  }

  // The WebAssembly, fetched beside the page's scripts and compiled as it
  // arrives (from its bytes where the host gives it another type).
  const file = root.getAttribute('%WASM_ATTRIBUTE%');
  if (file && typeof WebAssembly === 'object') {
    early.wasm = fetch(file, { credentials: 'same-origin' }).then((response) => {
      if (!response.ok) {
        throw new Error(`${file}: ${response.status}`);
      }
      return WebAssembly.compileStreaming(response.clone())
        .catch(() => response.arrayBuffer().then((bytes) => WebAssembly.compile(bytes)));
    });
    early.wasm.catch(() => {});  // the page's script reports it
  }

  // The page's worker, started now, and the decimal separator of the
  // browser's language, which it finds first, unasked, for its own language
  // (null where it cannot). Asked only where the page's language differs.
  const script = root.getAttribute('%WORKER_ATTRIBUTE%');
  if (script && typeof Worker === 'function') {
    try {
      const worker = new Worker(script);
      early.separator = new Promise((resolve) => {
        const answer = ({ data }) => {
          if (!('separator' in data)) {
            return;
          }
          if (data.language !== navigator.language) {
            worker.postMessage({ language: navigator.language });
            return;
          }
          worker.removeEventListener('message', answer);
          resolve(data.separator);
        };
        worker.addEventListener('message', answer);
        worker.addEventListener('error', () => resolve(null), { once: true });
      });
      early.worker = worker;
      // The compiled WebAssembly, for the worker to draw with and to run the
      // handlers once (binding.cpp's ostrel_warm_up) before a press needs them.
      if (early.wasm) {
        early.wasm.then((module) => worker.postMessage({ module }), () => {});
      }
    } catch (error) {
      early.worker = null;
    }
  }

  // A press before the page's script has bound the buttons, kept in order
  // for it to run.
  const press = (event) => {
    const button = event.target instanceof Element && event.target.closest('%BUTTONS%');
    if (button) {
      early.presses.push(button.id);
    }
  };
  document.addEventListener('click', press, true);
  early.stop = () => document.removeEventListener('click', press, true);
})();
