// The calculator's page: binds the window's controls to the handlers in
// ostrel-core.wasm and plays what a handler did, in order: writes into the
// fields, a selection, message boxes that wait for OK before the steps after
// them. Presses and focus that come before the WebAssembly wait for it.
'use strict';

(() => {
  const byId = (id) => document.getElementById(id);
  const fields = ['Text1', 'Text2', 'Text3', 'Text4'].map(byId);
  const dialog = byId('Message');

  // The decimal separator of the browser's language: "," for sv-SE.
  const separator = (() => {
    try {
      const parts = new Intl.NumberFormat(navigator.language).formatToParts(1.5);
      const decimal = parts.find((part) => part.type === 'decimal');
      return decimal ? decimal.value : '.';
    } catch (error) {
      return '.';
    }
  })();

  const texts = () => fields.map((field) => field.value);

  // ---- the handlers, once the WebAssembly has arrived -----------------------

  let core = null;
  const ready = new Promise((resolve, reject) => {
    if (typeof OstrelCore !== 'function') {
      reject(new Error('ostrel-core.js did not load'));
      return;
    }
    OstrelCore().then((module) => {
      core = module;
      resolve(module);
    }, reject);
  });
  ready.catch((error) => console.error('Ostrel could not start its calculations:', error));

  // ---- the message box --------------------------------------------------------

  // Shows `text` in the modal box and resolves once it is closed (OK, Enter,
  // Escape); the focus then goes to `back`, the control that was pressed.
  function showMessage(text, back) {
    return new Promise((resolve) => {
      byId('MessageText').textContent = text;
      dialog.addEventListener('close', () => {
        if (back && back.isConnected) {
          back.focus({ preventScroll: true });
        }
        resolve();
      }, { once: true });
      dialog.showModal();
    });
  }
  byId('MessageOk').addEventListener('click', () => dialog.close());

  function select(field, start, length) {
    const size = field.value.length;
    if (start < 0 || start > size) {
      return;
    }
    field.setSelectionRange(start, Math.min(size, start + length));
  }

  // Plays a handler's steps; each message box waits until it is closed.
  async function play(steps, back) {
    for (const step of steps) {
      if (step.op === 'message') {
        await showMessage(step.text, back);
      } else if (step.op === 'write') {
        byId(step.field).value = step.text;
      } else if (step.op === 'select') {
        select(byId(step.field), step.start, step.length);
      }
    }
  }

  // ---- buttons ------------------------------------------------------------------

  // Commands run one after another, each after the last one's boxes have
  // closed, and all after the WebAssembly has arrived.
  let commands = Promise.resolve();
  for (const button of document.querySelectorAll('#Form1 button')) {
    button.addEventListener('click', () => {
      commands = commands
        .then(() => ready)
        .then(() => play(core.click(button.id, texts(), separator), button))
        .catch((error) => console.error(error));
    });
  }

  // ---- field focus --------------------------------------------------------------

  // A field's focus handler selects its text after the browser's own focus
  // handling: after the click or tap that gave the focus has placed the caret,
  // at once for Tab and for the focus at start, and never after a key the
  // person has already typed into the field. It does not run once the person
  // has left the field again.
  let pressedField = null;   // a field a pointer is held down on
  let waiting = null;        // the focus whose handler has not run yet
  let keptFocus = null;      // a field that had the focus when the page was left

  function runFocusHandler(turn) {
    if (waiting !== turn || document.activeElement !== turn.field) {
      return;
    }
    if (!core) {
      ready.then(() => setTimeout(() => runFocusHandler(turn)), () => {});
      return;
    }
    waiting = null;
    play(core.gotFocus(turn.field.id, texts(), separator), turn.field);
  }

  for (const field of fields) {
    field.addEventListener('pointerdown', () => {
      pressedField = field;
    });
    field.addEventListener('focus', () => {
      // Coming back to the page is no new focus.
      if (keptFocus === field) {
        keptFocus = null;
        return;
      }
      keptFocus = null;
      const turn = { field, afterPointer: pressedField === field };
      waiting = turn;
      if (!turn.afterPointer) {
        setTimeout(() => runFocusHandler(turn));
      }
    });
    field.addEventListener('blur', () => {
      waiting = null;
      keptFocus = document.hasFocus() ? null : field;
    });
    // A key before the handler has run: as on the desktop, where events
    // are handled in order, the selection comes first and the key then acts
    // on it. Until the WebAssembly has arrived the handler cannot run, and
    // the person's typing wins.
    const typing = () => {
      if (waiting && waiting.field === field && core) {
        runFocusHandler(waiting);
      }
      waiting = null;
    };
    field.addEventListener('keydown', (event) => {
      if (!['Shift', 'Control', 'Alt', 'Meta'].includes(event.key)) {
        typing();
      }
    });
    field.addEventListener('beforeinput', typing);
  }
  const released = () => {
    const turn = waiting;
    pressedField = null;
    if (turn && turn.afterPointer) {
      setTimeout(() => runFocusHandler(turn));
    }
  };
  document.addEventListener('pointerup', released, true);
  document.addEventListener('pointercancel', released, true);

  // ---- the background picture ---------------------------------------------------

  // Drawn by the same code that drew the desktop windows' picture, at the
  // screen's own resolution, so it is sharp at any pixel density; until then
  // the style sheet's smooth gradient stands in.
  const canvas = byId('Background');
  let drawnScale = 0;
  function drawBackground() {
    const scale = Math.min(4, Math.max(1, Math.ceil(window.devicePixelRatio || 1)));
    if (scale === drawnScale) {
      return;
    }
    const picture = core.background(scale);
    if (!picture) {
      return;
    }
    canvas.width = picture.width;
    canvas.height = picture.height;
    const pixels = new Uint8ClampedArray(picture.pixels);  // a copy, out of the module's memory
    canvas.getContext('2d').putImageData(new ImageData(pixels, picture.width, picture.height), 0, 0);
    drawnScale = scale;
  }
  ready.then(() => {
    setTimeout(drawBackground);
    window.addEventListener('resize', drawBackground);  // the browser's zoom changes the density
  }, () => {});

  // ---- legend ---------------------------------------------------------------------

  // Where the machine's stand-in for the design's font is wider than the
  // design's own, a legend line's letters are drawn a little narrower (to 90 %
  // at most), so that the line stays a pixel clear of the box's border.
  function fitLegend() {
    for (const line of document.querySelectorAll('.legend > span')) {
      line.style.transform = '';
      const room = line.parentElement.clientWidth - 3;
      const wide = line.getBoundingClientRect().width;
      if (wide > room) {
        line.style.transform = `scaleX(${Math.max(0.9, room / wide)})`;
      }
    }
  }
  fitLegend();
  window.addEventListener('resize', fitLegend);  // the window's size follows a narrow screen's
  if (document.fonts) {
    document.fonts.ready.then(fitLegend);
  }

  // ---- start ----------------------------------------------------------------------

  // The focus starts in FV with its text selected, as on the desktop; not on
  // a touch screen, where it would bring up the keyboard uninvited.
  if (!window.matchMedia('(hover: none) and (pointer: coarse)').matches) {
    fields[0].focus();
  }

  // Kept for use with no network, once the page has loaded.
  if ('serviceWorker' in navigator) {
    window.addEventListener('load', () => {
      navigator.serviceWorker.register('sw.js').catch((error) => {
        console.warn('Ostrel will not open offline:', error);
      });
    });
  }
})();
