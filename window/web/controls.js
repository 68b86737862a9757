// SPDX-License-Identifier: MIT
// The calculator's controls: every press and every focus of a field, bound
// on the document from the start, so that none made before the page has
// been parsed or the calculations have loaded is lost; the playing of what a
// handler did, in order: writes into the fields, a selection, message boxes
// that wait for OK before the steps after them; the message box itself.

const fields = () => names.fields.map(byId);
const texts = () => fields().map((field) => field.value);
const fieldOf = (target) => (target instanceof HTMLInputElement &&
  names.fields.includes(target.id) ? target : null);

// A touch screen, whose keyboard is the phone's own.
const touchScreen = window.matchMedia('(hover: none) and (pointer: coarse)').matches;

// ---- the message box --------------------------------------------------------

// Shows `text` in the modal box and resolves once it is closed (OK, Enter,
// Space, Escape); the focus then goes to `back`, the control that was
// pressed.
function showMessage(text, back) {
  const dialog = byId(names.message);
  return new Promise((resolve) => {
    byId(names.messageText).textContent = text;
    dialog.addEventListener('close', () => {
      if (back && back.isConnected) {
        back.focus({ preventScroll: true });
      }
      resolve();
    }, { once: true });
    dialog.showModal();
  });
}

// As in the desktop windows' boxes, OK keeps the focus: a click on the
// box's text, its title or the backdrop leaves it there, Tab and Shift+Tab
// stay on it, and Enter and Space press it wherever they come from.
const inBox = (target) => target instanceof Element && target.closest(`#${names.message}`);
document.addEventListener('click', (event) => {
  if (event.target instanceof Element && event.target.id === names.messageOk) {
    byId(names.message).close();
  }
});
document.addEventListener('mousedown', (event) => {
  if (inBox(event.target) && event.target.id !== names.messageOk) {
    event.preventDefault();
  }
}, true);
document.addEventListener('keydown', (event) => {
  const ok = byId(names.messageOk);
  if (!inBox(event.target) || event.isComposing) {
    return;
  }
  // WebKitGTK names Shift+Tab's key "Unidentified" (GTK's ISO_Left_Tab).
  if (event.key === 'Tab' || event.code === 'Tab') {
    event.preventDefault();
    ok.focus();
  } else if ((event.key === 'Enter' || event.key === ' ') && event.target !== ok) {
    event.preventDefault();
    ok.click();
  }
}, true);

// ---- the handlers' steps --------------------------------------------------------

// Plays a handler's steps; each message box waits until it is closed.
async function play(steps, back) {
  for (const step of steps) {
    if (step.op === names.steps.message) {
      await showMessage(step.text, back);
    } else if (step.op === names.steps.write) {
      byId(step.field).value = step.text;
    } else if (step.op === names.steps.select) {
      byId(step.field).setSelectionRange(step.start, step.start + step.length);
    }
  }
}

// Runs a handler of the ready core and plays its steps. A handler whose
// WebAssembly stopped is reported as any unexpected error is, and the next
// one runs on a new instance.
function handle(core, run, back) {
  let steps;
  try {
    steps = run(core.handlers);
  } catch (error) {
    console.error('Ostrel:', error);
    renew(core);
    return showMessage(names.unexpected, back);
  }
  return play(steps, back);
}

// ---- buttons ------------------------------------------------------------------

// A press waits for the page to be parsed and the calculations to load; if
// they cannot be, it says so.
document.addEventListener('click', (event) => {
  const button = event.target instanceof Element && event.target.closest(`#${names.window} button`);
  if (!button) {
    return;
  }
  enqueue(async () => {
    await parsed;
    let core;
    try {
      core = await coreForPress();
    } catch (error) {
      await showMessage(names.loadFailed, button);
      return;
    }
    await handle(core, (handlers) => handlers.click(button.id, texts()), button);
  });
}, true);

// ---- field focus --------------------------------------------------------------

// A field's focus handler selects its text after the browser's own focus
// handling: after the click or tap that gave the focus has placed the caret,
// at once for Tab and for the focus at start, and never after a key the
// person has already typed into the field. It does not run once the person
// has left the field again, nor before the calculations have loaded: until
// then the person's typing wins.
let pressedField = null;   // a field a pointer is held down on
let waiting = null;        // the focus whose handler has not run yet
let keptFocus = null;      // a field that had the focus when the page was left

function focusHandler(turn) {
  const run = () => {
    if (startup.state !== 'ready' || waiting !== turn || document.activeElement !== turn.field) {
      return undefined;
    }
    waiting = null;
    return handle(startup.core, (handlers) => handlers.gotFocus(turn.field.id, texts()), turn.field);
  };
  return startup.state === 'ready' ? run() : startup.attempt.then(run, () => {});
}

// The handler's turn has come: it joins the queue.
function due(turn) {
  if (waiting === turn) {
    enqueue(() => focusHandler(turn));
  }
}

document.addEventListener('pointerdown', (event) => {
  pressedField = fieldOf(event.target);
}, true);
const released = () => {
  const turn = waiting;
  pressedField = null;
  if (turn && turn.afterPointer) {
    setTimeout(() => due(turn));
  }
};
document.addEventListener('pointerup', released, true);
document.addEventListener('pointercancel', released, true);

document.addEventListener('focusin', (event) => {
  const field = fieldOf(event.target);
  if (!field) {
    return;
  }
  // Coming back to the page is no new focus.
  if (keptFocus === field) {
    keptFocus = null;
    return;
  }
  keptFocus = null;
  const turn = { field, afterPointer: pressedField === field };
  waiting = turn;
  if (!turn.afterPointer) {
    setTimeout(() => due(turn));
  }
});
document.addEventListener('focusout', (event) => {
  const field = fieldOf(event.target);
  if (field) {
    waiting = null;
    keptFocus = document.hasFocus() ? null : field;
  }
});

// A key before the handler has run: as on the desktop, where events are
// handled in order, the selection comes first and the key then acts on it.
function typing(field) {
  const turn = waiting;
  if (turn && turn.field === field && startup.state === 'ready' && queued === 0) {
    enqueue(() => focusHandler(turn));
  }
  waiting = null;
}
document.addEventListener('keydown', (event) => {
  const field = fieldOf(event.target);
  if (!field) {
    return;
  }
  if (event.key === 'Enter') {
    // A desktop keyboard's Enter presses nothing, as in the desktop windows;
    // a phone keyboard's, labelled "next" and in the last field "done" (the
    // fields' enterkeyhint), goes on to the next field or closes the
    // keyboard.
    if (touchScreen && !event.isComposing) {
      event.preventDefault();
      const next = fields()[names.fields.indexOf(field.id) + 1];
      if (next) {
        next.focus();
      } else {
        field.blur();
      }
    }
    return;
  }
  if (!['Shift', 'Control', 'Alt', 'Meta'].includes(event.key)) {
    typing(field);
  }
});
document.addEventListener('beforeinput', (event) => {
  const field = fieldOf(event.target);
  if (field) {
    typing(field);
  }
});

// The focus starts in FV, whose handler then selects its text, as on the
// desktop; not on a touch screen, where it would bring up the keyboard
// uninvited, and not where the person has already chosen a control.
parsed.then(() => {
  const chosen = document.activeElement;
  if (!touchScreen && (!chosen || chosen === document.body)) {
    fields()[0].focus();
  }
});

// ---- what the controls do not need ----------------------------------------------

// The background, drawn by each worker that comes with a ready core.
let drawer = null;
startup.onReady.push((core) => {
  if (core.worker !== drawer) {
    drawer = core.worker;
    parsed.then(nextTask).then(() => drawBackground(core.worker, byId(names.background)));
  }
});

// Where the machine's stand-in for the design's font is wider than the
// design's own, a legend line's letters are drawn narrower so that it stays
// clear of the box's border (layout::LegendScale in window/layout.h).
// Measured as a ResizeObserver sees the page just laid out, so measuring
// never lays it out again; put in before the next frame, as a narrower
// line may take away a scroll bar and so change what the observer watches.
function watchLegend() {
  const legend = [...document.querySelectorAll(names.legendLine)];
  let scales = null;
  const fit = () => {
    const { clearance, leastScale } = names.legend;
    if (scales === null) {
      requestAnimationFrame(() => {
        legend.forEach((line, i) => {
          if (line.style.transform !== scales[i]) {
            line.style.transform = scales[i];
          }
        });
        scales = null;
      });
    }
    scales = legend.map((line) => {
      const room = line.parentElement.clientWidth - clearance;
      const wide = line.offsetWidth;
      return wide > room ? `scaleX(${Math.max(leastScale, room / wide)})` : '';
    });
  };
  const watch = new ResizeObserver(fit);
  for (const line of legend) {
    watch.observe(line);
    watch.observe(line.parentElement);
  }
}

// The legend's narrowing after the first frame, and the page kept for use
// with no network once it has loaded.
parsed.then(() => requestAnimationFrame(() => setTimeout(watchLegend)));
window.addEventListener('load', () => {
  if ('serviceWorker' in navigator) {
    navigator.serviceWorker.register('sw.js').catch((error) => {
      console.warn('Ostrel will not open offline:', error);
    });
  }
}, { once: true });
