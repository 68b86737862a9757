// SPDX-License-Identifier: MIT
// The page's worker: what would hold up the page's main thread for longer
// than a phone allows a task (50 ms), done here. ostrelWorker is its whole
// code: part of the page's own script, which starts the worker at once from
// this function's source and core.js's instantiation (a blob, so there is no
// script to fetch, and it is checked with the page's script by its digest),
// and talks to it in messages tagged by their type. Nothing is thrown or
// logged.
//
// {type: 'separator', language, separator}: the decimal separator of a
// language, "," for sv-SE. Posted at once for the worker's own language,
// and again for the language of any {type: 'separator', language} the page
// posts. A phone takes a fifth of a second to make its first number format;
// and a message from the page reaches a new worker only when the page's
// main thread passes it on, on a phone often after the page's first frame,
// so the worker does not wait to be asked.
//
// {type: 'module', module}: the compiled WebAssembly. The worker starts its
// own instance of it and runs the handlers once (ostrel_warm_up), which
// compiles their code for the page too, as the two share the module.
//
// {type: 'draw', width, height, scale, canvas}: the calculator's background
// picture, with the same C++ as the desktop windows' picture, drawn into the
// page's canvas, which the page hands over (an OffscreenCanvas) with its
// first draw: CSS pixels and screen pixels to each. Later draws give only
// the size. The answer is {type: 'drawn', width, height, scale}, or
// {type: 'notDrawn', ...} with the canvas emptied, and the page's gradient
// stays.
function ostrelWorker() {
  function separatorOf(language) {
    try {
      const parts = new Intl.NumberFormat(language).formatToParts(1.5);
      const decimal = parts.find((part) => part.type === 'decimal');
      return decimal ? decimal.value : '.';
    } catch (error) {
      return '.';
    }
  }

  let core = null;    // a promise of ostrel-core's exports
  let canvas = null;  // the page's canvas

  async function draw({ width, height, scale }) {
    if (!core) {
      throw new Error('no module yet');
    }
    const exports = await core;
    const pixels = exports.ostrel_background(width, height, scale);  // binding.cpp
    if (!pixels) {
      throw new RangeError(`no picture of ${width} × ${height} at ${scale}`);
    }
    // A copy out of the module's memory, which the next call reuses.
    const [w, h] = [width * scale, height * scale];
    const bytes = new Uint8ClampedArray(exports.memory.buffer, pixels, w * h * 4);
    const image = new ImageData(new Uint8ClampedArray(bytes), w, h);
    canvas.width = image.width;
    canvas.height = image.height;
    canvas.getContext('2d').putImageData(image, 0, 0);
  }

  const separator = (language) => {
    self.postMessage({ type: 'separator', language, separator: separatorOf(language) });
  };

  let drawing = Promise.resolve();
  const answers = new Map(Object.entries({
    separator: ({ language }) => separator(language),
    module: ({ module }) => {
      if (!core) {
        core = ostrelInstantiate(module);  // core.js
        core.then((exports) => exports.ostrel_warm_up()).catch(() => {});
      }
    },
    draw: (data) => {
      const size = { width: data.width, height: data.height, scale: data.scale };
      if (data.canvas) {
        canvas = data.canvas;
      }
      drawing = drawing.then(() => draw(size)).then(() => {
        self.postMessage({ type: 'drawn', ...size });
      }, () => {
        if (canvas) {
          canvas.width = 0;
          canvas.height = 0;
        }
        self.postMessage({ type: 'notDrawn', ...size });
      });
    },
  }));
  self.addEventListener('message', ({ data }) => {
    const answer = data && answers.get(data.type);
    if (answer) {
      answer(data);
    }
  });

  separator(self.navigator.language);
}
