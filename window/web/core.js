// SPDX-License-Identifier: MIT
// ostrel-core.wasm's instance, from the module the page compiled: the one
// way the page and its worker start it (the worker is given its source). The
// WebAssembly needs no glue: its imports are a word that its memory has
// grown, which nothing here keeps a view of across a call, and its exit,
// which it takes only where the C++ gives up (a trap, for the caller).
'use strict';

const ostrelInstantiate = (module) => WebAssembly.instantiate(module, {
  env: { emscripten_notify_memory_growth: () => {} },
  wasi_snapshot_preview1: {
    proc_exit: (code) => {
      throw new WebAssembly.RuntimeError(`ostrel-core stopped (${code})`);
    },
  },
}).then((instance) => {
  instance.exports._initialize();
  return instance.exports;
});
