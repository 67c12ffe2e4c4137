// One game on the page, played with the keyboard from the title to its end.
// The tests run in order on the same tab, each from where the last left
// the game.
'use strict';

const assert = require('node:assert/strict');
const path = require('path');
const { test, before, after } = require('node:test');
const { siteDir, serveSite, launchBrowser, waitUntil } = require('./lib/browser');
const { installAudioTap, measureLevel, describeLevel } = require('./lib/audio_tap');
const { linuxBinDir } = require('./lib/desktop_title');
const {
  Viewport, openGamePage, waitForLine, shownNotice, canvasPicture,
} = require('./lib/game_page');
const { comparePictures, passingChange, everyNthPixel, meanBrightness } = require('./lib/pictures');
const { readWavSamples, rmsDb } = require('./lib/wav');

// A city whose start has nothing moving in view, so that the picture holds
// still while the car does (but for the opening words, which go after two
// seconds).
const City = '1234567';
// The engine at rest plays its file at its own rate and volume.
const EngineLevelToleranceDb = 1.5;
// Long enough for a few frames however busy the machine.
const SettleMs = 400;

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Runs in the page: every key press, as the page's own handlers left it.
function recordKeyDowns() {
  window.sewerKeyDowns = [];
  window.addEventListener('load', () => {
    // A listener on the window's bubble phase hears a key after everything
    // else on the page has.
    window.addEventListener('keydown', (event) => {
      window.sewerKeyDowns.push({ code: event.code, defaultPrevented: event.defaultPrevented });
    });
  });
}

let site;
let browser;
let game;
let page;

before(async () => {
  site = await serveSite(siteDir());
  browser = await launchBrowser();
  game = await openGamePage(browser, `${site.url}?city=${City}`,
                            [{ run: installAudioTap }, { run: recordKeyDowns }]);
  page = game.page;
  await waitForLine(game, 'Done with map!');
});

after(async () => {
  await browser?.close();
  site?.stop();
});

test('the title flickers, silent even once a key has allowed sound', async (t) => {
  // Any key lets the page play sound; the title does nothing with X.
  await page.keyboard.press('KeyX');
  await sleep(SettleMs);
  const level = await measureLevel(page, 500);
  t.diagnostic(`on the title: ${describeLevel(level)}`);
  assert.ok(level.channelsDb.every((db) => db < -80), `the title plays: ${describeLevel(level)}`);

  const first = await canvasPicture(page);
  await sleep(SettleMs);
  const { share } = comparePictures(first, await canvasPicture(page));
  assert.ok(share > 0.5, `only ${share} of the title changed between two looks`);
});

// The program counts presses: one released before the next frame is not
// lost.
test('Space pressed and released within a frame starts the game', async () => {
  await page.keyboard.press('Space');
  await sleep(SettleMs);
  const first = await canvasPicture(page);
  await sleep(SettleMs);
  const { share } = comparePictures(first, await canvasPicture(page));
  assert.ok(share < 0.2, `${share} of the picture keeps changing: still the title?`);
});

test('the engine plays at the level of its file', async (t) => {
  const fileDb = rmsDb(readWavSamples(path.join(linuxBinDir(), 'car2.wav')));
  const level = await measureLevel(page, 1000);
  const heard = `the engine at rest: ${describeLevel(level)}; ` +
                `car2.wav: ${fileDb.toFixed(2)} dB RMS`;
  t.diagnostic(heard);
  assert.ok(level.contexts > 0, heard);
  assert.ok(level.states.every((state) => state === 'running'), heard);
  for (const db of level.channelsDb) {
    assert.ok(Math.abs(db - fileDb) <= EngineLevelToleranceDb, heard);
  }
});

test('M shows the map in the corner while it is held', async () => {
  const before = await canvasPicture(page);
  await page.keyboard.down('KeyM');
  await sleep(SettleMs);
  const held = await canvasPicture(page);
  await page.keyboard.up('KeyM');
  await sleep(SettleMs);
  const released = await canvasPicture(page);

  // (The opening words may go meanwhile, for good.)
  const map = passingChange(before, held, released);
  assert.ok(map.share > 0.02, `only ${map.share} of the picture came with M and went with it`);
  assert.ok(map.box.right < 400 && map.box.bottom < 300,
            `the map is not in the top left corner: ${JSON.stringify(map.box)}`);
});

// The picture is scaled by whole steps, in the screen's own pixels.
test('the canvas holds the largest whole number of pictures the stage fits', async () => {
  // The canvas's size in device pixels and in the page's.
  const canvasSizeBecomes = (width, height, cssWidth) => waitUntil(async () => {
    const size = await page.$eval('#canvas', (c) => [c.width, c.height, c.style.width]);
    return size.join() === [width, height, cssWidth].join();
  }, `a canvas of ${width}x${height}, ${cssWidth} wide`, 10000);
  await canvasSizeBecomes(800, 600, '800px');
  const atOne = await canvasPicture(page);

  // Chromium's emulation tells the page of a new density only with a new
  // size (a real screen says so on its own): the window is a row taller.
  await page.setViewport({ ...Viewport, height: Viewport.height + 1, deviceScaleFactor: 2 });
  await canvasSizeBecomes(1600, 1200, '800px');
  await sleep(SettleMs);
  const atTwo = await canvasPicture(page);
  assert.deepEqual([atTwo.width, atTwo.height], [1600, 1200]);
  // The same view, drawn on the whole canvas (the opening words may go).
  const { share } = comparePictures(atOne, everyNthPixel(atTwo, 2));
  assert.ok(share < 0.1, `at scale 2 the picture differs from scale 1's in ${share} of it`);

  await page.setViewport({ width: 2000, height: 1500, deviceScaleFactor: 1 });
  await canvasSizeBecomes(1600, 1200, '1600px');
  await page.setViewport(Viewport);
  await canvasSizeBecomes(800, 600, '800px');
});

test('the arrow keys drive the car through the city', async () => {
  const before = await canvasPicture(page);
  await page.keyboard.down('ArrowUp');
  await sleep(2 * SettleMs);
  const driven = await canvasPicture(page);
  await page.keyboard.up('ArrowUp');
  await page.keyboard.down('ArrowDown');
  await sleep(SettleMs);
  await page.keyboard.up('ArrowDown');
  // The view follows the car: most of the picture has moved.
  const { share } = comparePictures(before, driven);
  assert.ok(share > 0.1, `after driving only ${share} of the picture changed`);
});

test('C calls a police car', async () => {
  await page.keyboard.press('KeyC');
  await waitForLine(game, /^created cop!/, 10000);
});

test('P pauses the game, dimmed and still, until P again', async () => {
  const playing = await canvasPicture(page);
  await page.keyboard.press('KeyP');
  await sleep(SettleMs);
  const paused = await canvasPicture(page);
  await sleep(SettleMs);
  assert.equal(comparePictures(paused, await canvasPicture(page)).differing, 0,
               'the paused picture moves');
  assert.ok(meanBrightness(paused) < 0.7 * meanBrightness(playing),
            `paused at ${meanBrightness(paused)}, playing at ${meanBrightness(playing)}`);

  await page.keyboard.press('KeyP');
  await sleep(SettleMs);
  assert.ok(meanBrightness(await canvasPicture(page)) > 0.9 * meanBrightness(playing),
            'still dimmed after P again');
});

test('the full-screen button and F11 switch the stage to full screen and back', async (t) => {
  if (!(await page.evaluate(() => document.fullscreenEnabled))) {
    t.skip('this browser has no full screen');
    return;
  }
  const fullScreenId = () => page.evaluate(() => document.fullscreenElement?.id ?? null);
  await page.click('#full-screen');
  await waitUntil(async () => (await fullScreenId()) === 'stage', 'full screen');
  const scale = await page.$eval('#canvas', (c) => [c.width / 800, c.height / 600]);
  assert.ok(Number.isInteger(scale[0]) && scale[0] === scale[1], `the canvas at scale ${scale}`);

  // The button keeps the focus, but the game's Space must not press it.
  await page.keyboard.press('Space');
  await sleep(SettleMs);
  assert.equal(await fullScreenId(), 'stage', 'Space left full screen');

  await page.keyboard.press('F11');
  await waitUntil(async () => (await fullScreenId()) === null, 'the end of full screen');
});

test('the browser acts on none of the game\'s keys, and keeps its own', async () => {
  // The browser's tools stay the player's.
  await page.keyboard.press('F12');
  const keyDowns = await page.evaluate(() => window.sewerKeyDowns);
  const prevented = (code) => {
    const heard = keyDowns.filter((key) => key.code === code);
    assert.ok(heard.length > 0, `no ${code} was pressed`);
    return heard.every((key) => key.defaultPrevented);
  };
  for (const code of ['Space', 'ArrowUp', 'ArrowDown', 'KeyM', 'KeyC', 'KeyP', 'F11']) {
    assert.ok(prevented(code), `${code} reached the browser`);
  }
  assert.ok(!prevented('F12'), 'F12 was kept from the browser');
});

test('Escape ends the game, and the page offers a new city', async () => {
  await page.keyboard.press('Escape');
  await waitUntil(async () => (await shownNotice(page)) !== null, 'the end notice', 10000);
  const notice = await shownNotice(page);
  assert.match(notice.text, /^The game has ended\./);
  assert.deepEqual(notice.buttons, ['Play a new city']);
  assert.deepEqual(game.errorLines, []);
  assert.deepEqual(game.problems, []);

  await Promise.all([page.waitForNavigation(), page.click('#notice button')]);
  assert.equal(page.url(), site.url, 'the new city\'s address names a city');
});
