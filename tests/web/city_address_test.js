// A city's address (?city=N) builds on the page the city the desktop builds
// from seed N: the same progress lines, the same number shown, and the same
// title frame, pixel for pixel.
'use strict';

const assert = require('node:assert/strict');
const { test, before, after } = require('node:test');
const { siteDir, serveSite, launchBrowser } = require('./lib/browser');
const { desktopTitleFrame } = require('./lib/desktop_title');
const { installFrameHold, waitForHeldFrame } = require('./lib/frame_hold');
const { openGamePage, cityLines, shownCity, canvasPicture } = require('./lib/game_page');
const { comparePictures } = require('./lib/pictures');

// Frames 1 and 2 are the window's first, empty ones, and frame 3 the
// title's first, in the start-up's colour; from then on the title is tinted
// by the seed's random numbers, which must come out the same too.
const ComparedFrame = 6;

let site;
let browser;

before(async () => {
  site = await serveSite(siteDir());
  browser = await launchBrowser();
});

after(async () => {
  await browser?.close();
  site?.stop();
});

async function compareWithDesktop(t, cityNumber, seed) {
  const [game, desktop] = await Promise.all([
    openGamePage(browser, `${site.url}?city=${cityNumber}`,
                 [{ run: installFrameHold, args: [ComparedFrame] }]),
    desktopTitleFrame(seed, ComparedFrame),
  ]);
  await waitForHeldFrame(game.page);

  assert.deepEqual(cityLines(game.printed), cityLines(desktop.printed));
  assert.deepEqual(await shownCity(game.page),
                   { text: `City ${cityNumber}`, href: `?city=${cityNumber}` });

  const { differing } = comparePictures(await canvasPicture(game.page), desktop.picture);
  t.diagnostic(`title frame ${ComparedFrame} of city ${cityNumber}: ${differing} pixels differ ` +
               'from the desktop\'s');
  assert.equal(differing, 0);

  assert.deepEqual(game.errorLines, []);
  assert.deepEqual(game.problems, []);
  await game.page.close();
}

test('?city=1234567 is the desktop\'s city of seed 1234567', async (t) => {
  await compareWithDesktop(t, '1234567', 1234567);
});

// The largest city number is the seed -1: the number is read unsigned.
test('?city=4294967295 is the desktop\'s city of seed -1', async (t) => {
  await compareWithDesktop(t, '4294967295', -1);
});
