// SPDX-License-Identifier: MIT
// The page's worker: what would hold up the page's main thread for longer
// than a phone allows a task (50 ms), done here. Nothing is thrown or logged.
//
// The decimal separator of the browser's language, "," for sv-SE: posted at
// once as {language, separator} for the worker's own language, and again
// for any {language} the page posts. A phone takes a fifth of a second to
// make its first number format; and a message from the page reaches a new
// worker only when the page's main thread passes it on, on a phone often
// after the page's first frame, so the worker does not wait to be asked.
//
// The compiled WebAssembly, {module}, posted by the page's inline script as
// soon as it has it: the worker starts ostrel-core from it and runs the
// handlers once (ostrel_warm_up), which compiles their code for the page
// too, as the two share the module.
//
// The calculator's background picture, with the same C++ as the desktop
// windows' picture, drawn into the page's canvas, which the page hands over
// (an OffscreenCanvas) with its first {width, height, scale, canvas}: CSS
// pixels and screen pixels to each. Later posts give only the size. The
// answer is {width, height, scale, drawn: true}, or {..., failed: true} with
// the canvas emptied, and the page's gradient stays.
'use strict';

function separatorOf(language) {
  try {
    const parts = new Intl.NumberFormat(language).formatToParts(1.5);
    const decimal = parts.find((part) => part.type === 'decimal');
    return decimal ? decimal.value : '.';
  } catch (error) {
    return '.';
  }
}

let core = null;    // a promise of ostrel-core's module
let canvas = null;  // the page's canvas

// ostrel-core.js, instantiated from the page's compiled module where there
// is one; otherwise it fetches its WebAssembly itself.
function start(module) {
  return new Promise((resolve, reject) => {
    importScripts('ostrel-core.js');
    const options = {};
    if (module instanceof WebAssembly.Module) {
      options.instantiateWasm = (imports, done) => {
        WebAssembly.instantiate(module, imports)
          .then((instance) => done(instance, module), reject);
        return {};
      };
    }
    OstrelCore(options).then(resolve, reject);
  });
}

async function draw({ width, height, scale }) {
  const module = await core;
  const pixels = module._ostrel_background(width, height, scale);  // binding.cpp
  if (!pixels) {
    throw new RangeError(`no picture of ${width} × ${height} at ${scale}`);
  }
  // A copy out of the module's memory, which the next call reuses.
  const [w, h] = [width * scale, height * scale];
  const image = new ImageData(new Uint8ClampedArray(module.HEAPU8.subarray(pixels, pixels + w * h * 4)), w, h);
  canvas.width = image.width;
  canvas.height = image.height;
  canvas.getContext('2d').putImageData(image, 0, 0);
}

function answerSeparator(language) {
  self.postMessage({ language, separator: separatorOf(language) });
}

let queue = Promise.resolve();
self.addEventListener('message', ({ data }) => {
  if ('language' in data) {
    answerSeparator(data.language);
    return;
  }
  if ('module' in data) {
    if (!core) {
      core = start(data.module);
      core.then((module) => module._ostrel_warm_up()).catch(() => {});
    }
    return;
  }
  const size = { width: data.width, height: data.height, scale: data.scale };
  if (!core) {
    core = start(null);
  }
  if (data.canvas) {
    canvas = data.canvas;
  }
  queue = queue.then(() => draw(size)).then(() => {
    self.postMessage({ ...size, drawn: true });
  }, () => {
    if (canvas) {
      canvas.width = 0;
      canvas.height = 0;
    }
    self.postMessage({ ...size, failed: true });
  });
});

answerSeparator(self.navigator.language);
