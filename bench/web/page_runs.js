// One measured run of a page in the benchmark's browser: the game's page
// from navigation to its title and then in play with ten police cars, or the
// bare page from navigation to its first frame and then drawing its quad.
// Every time is in milliseconds, in the page's own clock, which counts from
// the start of the navigation.
'use strict';

const { waitUntil } = require('../../tests/web/lib/browser');
const { installFrameProbe } = require('./frame_probe');
const { browserCpuMilliseconds } = require('./process_cpu');

// The game shows its opening messages for this many frames of play; the
// measured frames come after them.
const OpeningMessageFrames = 120;
const PoliceCars = 10;

function sleep(ms) {
  return new Promise((resolve) => setTimeout(resolve, ms));
}

function percentile(values, fraction) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.min(sorted.length - 1, Math.floor(fraction * sorted.length))];
}

// A fresh tab that loads as on a first visit (no HTTP cache), with the probe
// in place before the page's own scripts.
async function openPage({ browser, passConsoleOn }, url) {
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  page.on('console', (message) => {
    if (message.type() === 'error') {
      errors.push(message.text().trim());
    }
  });
  await page.setViewport({ width: 1024, height: 768 });
  await page.setCacheEnabled(false);
  await page.evaluateOnNewDocument(installFrameProbe, passConsoleOn);
  await page.goto(url, { waitUntil: 'domcontentloaded' });
  return { page, errors };
}

// Waits for `read` (run in the page) to return something other than null.
async function waitInPage({ page, errors }, read, what, timeoutMs = 60000, arg = null) {
  let value = null;
  try {
    await waitUntil(async () => (value = await page.evaluate(read, arg)) !== null, what, timeoutMs);
  } catch (error) {
    throw new Error(errors.length ? `${error.message}; the page said: ${errors.join('; ')}` : error.message);
  }
  return value;
}

// A key held for a few frames: the game reads keys once per frame.
async function tap(page, key) {
  await page.keyboard.down(key);
  await sleep(80);
  await page.keyboard.up(key);
}

function pageNow(page) {
  return page.evaluate(() => performance.now());
}

async function sample(page, browserPid) {
  const at = await pageNow(page);
  const metrics = await page.metrics();
  return { at, metrics, cpu: browserCpuMilliseconds(browserPid) };
}

// The frames drawn over `seconds`: their rate and intervals, and per frame
// the page's main thread, as the page sees it (the duration of its tasks, and
// of the JavaScript among them, waits included) and as CPU time, and the CPU
// of the whole browser.
async function measureFrames(page, { browserPid, seconds }) {
  const before = await sample(page, browserPid);
  await sleep(seconds * 1000);
  const after = await sample(page, browserPid);
  const frames = await page.evaluate((from, to) => window.frameProbe.frames
    .filter((frame) => frame.end > from && frame.end <= to)
    .map((frame) => [frame.end, frame.calls]), before.at, after.at);
  if (frames.length < 2) {
    throw new Error(`only ${frames.length} frames drawn in ${seconds} s`);
  }
  const intervals = frames.slice(1).map(([end], i) => end - frames[i][0]);
  const calls = frames.map(([, count]) => count);
  const wall = after.at - before.at;
  const busy = (after.metrics.TaskDuration - before.metrics.TaskDuration) * 1000;
  const script = (after.metrics.ScriptDuration - before.metrics.ScriptDuration) * 1000;
  return {
    frames: frames.length,
    framesPerSecond: frames.length * 1000 / wall,
    intervalMedian: percentile(intervals, 0.5),
    interval95: percentile(intervals, 0.95),
    mainBusyShare: busy / wall,
    mainBusyPerFrame: busy / frames.length,
    scriptPerFrame: script / frames.length,
    mainCpuPerFrame: (after.cpu.rendererMain - before.cpu.rendererMain) / frames.length,
    browserCpuPerFrame: (after.cpu.all - before.cpu.all) / frames.length,
    callsMedian: percentile(calls, 0.5),
    callsLeast: Math.min(...calls),
  };
}

// `session`: { browser, browserPid, seconds (measured), passConsoleOn }.
async function bareRun(session, url) {
  const opened = await openPage(session, url);
  try {
    const firstFrame = await waitInPage(opened, () => {
      const frame = window.frameProbe.frames[0];
      return frame && frame.shownAt !== null ? frame.shownAt : null;
    }, 'the bare page\'s first frame');
    await opened.page.evaluate(() => window.frameProbe.stopWatchingUpdates());
    await sleep(1000);
    return { firstFrame, play: await measureFrames(opened.page, session) };
  } finally {
    await opened.page.close();
  }
}

function copsCreated(page) {
  return page.evaluate(() => window.frameProbe.lines
    .filter((line) => line.text.startsWith('created cop!')).length);
}

// The title is the first frame drawn after the city is built ("Done with
// map!"); before it the page draws only the opening window's clear.
async function gameStartUp(opened) {
  return waitInPage(opened, () => {
    const probe = window.frameProbe;
    const map = probe && probe.lines.find((line) => line.text === 'Done with map!');
    const title = map && probe.frames.find((frame) => frame.end > map.at);
    if (!title || title.shownAt === null) {
      return null;
    }
    const files = performance.getEntriesByType('resource')
      .filter((entry) => /sewer-run\.(js|wasm|data)$/.test(entry.name));
    return {
      filesLoaded: Math.max(...files.map((entry) => entry.responseEnd)),
      windowOpened: probe.frames[0].end,
      cityBuilt: map.at,
      titleShown: title.shownAt,
    };
  }, 'the title');
}

async function gameRun(session, url) {
  const opened = await openPage(session, url);
  const { page } = opened;
  try {
    const startUp = await gameStartUp(opened);
    await page.evaluate(() => window.frameProbe.stopWatchingUpdates());
    const playFrom = await pageNow(page);
    await tap(page, 'Space');
    for (let called = 1; called <= PoliceCars; ++called) {
      await tap(page, 'KeyC');
      await waitUntil(async () => (await copsCreated(page)) >= called, `police car ${called}`);
    }
    await waitInPage(opened, ([from, count]) => (window.frameProbe.frames
      .filter((frame) => frame.end > from).length >= count ? true : null),
    'the end of the opening messages', 60000, [playFrom, OpeningMessageFrames + 10]);
    const play = await measureFrames(page, session);
    play.policeCars = await copsCreated(page);
    return { startUp, play };
  } finally {
    await page.close();
  }
}

module.exports = { bareRun, gameRun };
