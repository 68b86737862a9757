// SPDX-License-Identifier: MIT
// The calculator's background picture, drawn by the same code that drew the
// desktop windows' picture, at the screen's own resolution, so it is sharp at
// any pixel density: a CSS pixel of the canvas to a pixel of the design,
// ceil(devicePixelRatio) screen pixels to each. The page hands its canvas to
// its worker (worker.js), which draws into it, so that neither the drawing
// nor its frames wait on the page's thread, and draws it again when the
// canvas's size or the density changes. Until the picture arrives, and where
// a browser cannot hand its canvas over, the style sheet's gradient stands in.
// Part of the page's script, which calls it once the calculator is ready.

const drawBackground = (helper, canvas) => {
  if (!helper || typeof canvas.transferControlToOffscreen !== 'function') {
    return;
  }
  let handed = null;
  try {
    handed = canvas.transferControlToOffscreen();
  } catch (error) {
    return;
  }
  // The canvas's size as the last layout left it (a ResizeObserver's,
  // which tells it without laying the page out again).
  let box = null;
  const wanted = () => ({
    width: box.width,
    height: box.height,
    scale: Math.min(4, Math.max(1, Math.ceil(window.devicePixelRatio || 1))),
  });
  const same = (a, b) => a !== null && a.width === b.width && a.height === b.height &&
    a.scale === b.scale;
  let drawing = null;  // the size the worker is drawing
  let shown = null;    // the size of the picture on the canvas
  let stopped = false;
  let timer = 0;
  function ask() {
    if (!box) {
      return;
    }
    const size = wanted();
    if (stopped || drawing || same(shown, size) || size.width < 1 || size.height < 1) {
      return;
    }
    drawing = size;
    if (handed) {
      helper.postMessage({ type: 'draw', ...size, canvas: handed }, [handed]);
      handed = null;
    } else {
      helper.postMessage({ type: 'draw', ...size });
    }
  }
  helper.addEventListener('message', ({ data }) => {
    if (data.type !== 'drawn' && data.type !== 'notDrawn') {
      return;
    }
    drawing = null;
    if (data.type === 'notDrawn') {
      stopped = true;
      clearTimeout(timer);
      return;
    }
    shown = { width: data.width, height: data.height, scale: data.scale };
    ask();  // the size may have changed meanwhile
  });
  helper.addEventListener('error', (event) => {
    event.preventDefault();
    stopped = true;
  });
  // Resizing and turning the phone come in bursts: drawn once they settle.
  const soon = () => {
    clearTimeout(timer);
    timer = setTimeout(ask, 150);
  };
  new ResizeObserver(([entry]) => {
    const first = !box;
    box = {
      width: Math.round(entry.contentRect.width),
      height: Math.round(entry.contentRect.height),
    };
    if (first) {
      ask();
    } else {
      soon();
    }
  }).observe(canvas);
  // The density alone changes with the browser's zoom and on another screen.
  const watchDensity = () => {
    window.matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`)
      .addEventListener('change', () => {
        soon();
        watchDensity();
      }, { once: true });
  };
  watchDensity();
};
