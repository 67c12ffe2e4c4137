// What the page benchmark watches inside a page: installed before the
// page's own scripts (puppeteer's evaluateOnNewDocument), the same for the
// game and for the bare page, and read back as window.frameProbe.
//
// A frame is a task that draws: a run of JavaScript, from one event to the
// next, that calls clear or draw on a WebGL 2 context. The game draws a
// frame and then yields to the browser (its frames are paced by its own
// sleeps, not by requestAnimationFrame), the bare page draws inside its
// animation frame callback; counted this way, both pages' frames are the
// same thing. Each is recorded when its task ends, with its number of
// WebGL calls.
//
// A frame drawn inside an animation frame callback is shown in that very
// rendering update. One drawn outside (the game's) is shown in the next
// one, whose start the probe's own animation frame loop records, until
// stopWatchingUpdates() ends that loop so that it costs the measured frames
// nothing.
//
// The probe keeps the page's console.log lines (the game's progress) to
// itself unless `passConsoleOn`: handed on, each line goes out through the
// DevTools protocol that drives the browser, which costs the page about a
// millisecond a line, a cost of the harness and not of a player's browser.
'use strict';

function installFrameProbe(passConsoleOn) {
  let drawing = null;
  let inAnimationFrame = false;
  let watchingUpdates = true;
  const awaitingUpdate = [];

  const probe = {
    frames: [], // { end, calls, shownAt }: end and shownAt in ms since navigation
    lines: [], // { at, text }: what the page printed through console.log
    stopWatchingUpdates() {
      watchingUpdates = false;
    },
  };
  window.frameProbe = probe;

  const context = WebGL2RenderingContext.prototype;
  for (const name of ['clear', 'drawArrays', 'drawElements']) {
    const original = context[name];
    context[name] = function (...args) {
      if (!drawing) {
        const frame = { end: 0, calls: 0, shownAt: null };
        const shownNow = inAnimationFrame;
        drawing = frame;
        // Microtasks run as the task's JavaScript returns to the browser.
        queueMicrotask(() => {
          drawing = null;
          frame.end = performance.now();
          if (shownNow) {
            frame.shownAt = frame.end;
          } else if (watchingUpdates) {
            awaitingUpdate.push(frame);
          }
          probe.frames.push(frame);
        });
      }
      drawing.calls += 1;
      return original.apply(this, args);
    };
  }

  const requestFrame = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => requestFrame((time) => {
    inAnimationFrame = true;
    try {
      callback(time);
    } finally {
      inAnimationFrame = false;
    }
  });

  function watchUpdate() {
    const now = performance.now();
    for (const frame of awaitingUpdate.splice(0)) {
      frame.shownAt = now;
    }
    if (watchingUpdates) {
      requestFrame(watchUpdate);
    }
  }
  requestFrame(watchUpdate);

  const log = console.log;
  console.log = function (...args) {
    probe.lines.push({ at: performance.now(), text: String(args[0]).trim() });
    if (passConsoleOn) {
      log.apply(this, args);
    }
  };
}

module.exports = { installFrameProbe };
