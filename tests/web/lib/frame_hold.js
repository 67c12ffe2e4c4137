// Stops the program on the page with a chosen presented frame on its canvas,
// the frame the desktop's title-frame program saves for the same number.
//
// Every frame the program presents begins with one clear of the canvas
// (its start-up presents two empty frames, then each pass of the title
// draws one), and the program gives the browser control only through
// setTimeout (its sleeps), which is when the browser shows the canvas. Once
// frame N has been cleared, its drawing is done by the next setTimeout:
// that one is never scheduled, so the program waits for ever and frame N
// stays on the canvas.
'use strict';

const { waitUntil } = require('./browser');

// Runs in the page (evaluateOnNewDocument).
function installFrameHold(frame) {
  const hold = { cleared: 0, held: false };
  window.sewerFrameHold = hold;
  const clear = WebGL2RenderingContext.prototype.clear;
  WebGL2RenderingContext.prototype.clear = function (...args) {
    hold.cleared += 1;
    return clear.apply(this, args);
  };
  const setTimeoutOfPage = window.setTimeout;
  window.setTimeout = function (...args) {
    if (hold.cleared >= frame) {
      hold.held = true;
      return 0;
    }
    return setTimeoutOfPage.apply(this, args);
  };
}

async function waitForHeldFrame(page, timeoutMs = 30000) {
  await waitUntil(() => page.evaluate(() => window.sewerFrameHold.held), 'the held frame',
                  timeoutMs);
}

module.exports = { installFrameHold, waitForHeldFrame };
