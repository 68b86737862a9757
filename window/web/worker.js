// Draws the calculator's background picture for the page, off the page's
// main thread, with the same C++ as the desktop windows' picture. The page
// posts {width, height, scale} (CSS pixels, screen pixels to each); with the
// first, the compiled WebAssembly as `module` where it has it, and the
// page's canvas as `canvas` (an OffscreenCanvas) where the browser can hand
// it over. The answer:
// - {width, height, scale, drawn: true}, drawn into that canvas, whose
//   frames then reach the screen without the page's main thread;
// - {width, height, scale, bitmap}, the picture as an ImageBitmap handed
//   over, where the page kept its canvas;
// - {width, height, scale, failed: true}, and the canvas emptied.
// Nothing is thrown or logged: a page whose picture does not come keeps its
// smooth gradient.
'use strict';

let core = null;    // a promise of ostrel-core's module
let canvas = null;  // the page's canvas, where it was handed over

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

async function picture({ width, height, scale }) {
  const module = await core;
  const drawn = module.background(width, height, scale);
  if (!drawn) {
    throw new RangeError(`no picture of ${width} × ${height} at ${scale}`);
  }
  // A copy out of the module's memory, which the next call reuses.
  return new ImageData(new Uint8ClampedArray(drawn.pixels), drawn.width, drawn.height);
}

let queue = Promise.resolve();
self.addEventListener('message', ({ data }) => {
  const size = { width: data.width, height: data.height, scale: data.scale };
  if (!core) {
    core = start(data.module);
    canvas = data.canvas || null;
  }
  queue = queue.then(() => picture(size)).then((image) => {
    if (!canvas) {
      return createImageBitmap(image)
        .then((bitmap) => self.postMessage({ ...size, bitmap }, [bitmap]));
    }
    canvas.width = image.width;
    canvas.height = image.height;
    canvas.getContext('2d').putImageData(image, 0, 0);
    self.postMessage({ ...size, drawn: true });
    return undefined;
  }).catch(() => {
    if (canvas) {
      canvas.width = 0;
      canvas.height = 0;
    }
    self.postMessage({ ...size, failed: true });
  });
});
