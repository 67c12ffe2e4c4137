// The game's page in a tab of headless Chromium: what the program prints,
// what the page shows, and the picture on its canvas.
'use strict';

const { decodePng } = require('./png');
const { waitUntil } = require('./browser');

// Big enough for the whole 800x600 picture at scale 1, one canvas pixel to
// one screenshot pixel.
const Viewport = { width: 1024, height: 768, deviceScaleFactor: 1 };

// Opens url in a new tab; each of `pageScripts` ({ run, args }: a function
// and its arguments) runs in the page before any of the page's own.
// Resolves to the tab with the program's lines on standard output
// (`printed`, without line endings) and on standard error (`errorLines`),
// and whatever went wrong on the page itself (`problems`: uncaught errors,
// files that failed to load).
async function openGamePage(browser, url, pageScripts = []) {
  const page = await browser.newPage();
  await page.setViewport(Viewport);
  const game = { page, printed: [], errorLines: [], problems: [] };
  page.on('console', (message) => {
    const text = message.text().replace(/\r$/, '');
    // Chromium's own note of a file that failed to load is no line of the
    // program's: the file is among the problems.
    if (message.type() === 'log') {
      game.printed.push(text);
    } else if (message.type() === 'error' && !text.startsWith('Failed to load resource')) {
      game.errorLines.push(text);
    }
  });
  page.on('pageerror', (error) => game.problems.push(`uncaught: ${error.message}`));
  page.on('response', (response) => {
    // (304, Not Modified, is a file the browser has already.)
    if (response.status() >= 400) {
      game.problems.push(`${response.status()} for ${response.url()}`);
    }
  });
  for (const { run, args = [] } of pageScripts) {
    await page.evaluateOnNewDocument(run, ...args);
  }
  await page.goto(url);
  return game;
}

// Waits for a printed line: the very line, or one a RegExp matches.
async function waitForLine(game, line, timeoutMs = 30000) {
  const matches = (printed) => (line instanceof RegExp ? line.test(printed) : printed === line);
  await waitUntil(async () => game.printed.some(matches), `the line ${line}`, timeoutMs);
}

// The start-up's lines up to the built map, but for the folder of the
// pictures, which differs between machines.
function cityLines(lines) {
  const done = lines.indexOf('Done with map!');
  if (done < 0) {
    throw new Error('the city was not built: no "Done with map!"');
  }
  return lines.slice(0, done + 1).filter((line) => !line.endsWith('/img/'));
}

// The number of the city the page shows and the address its link gives.
async function shownCity(page) {
  return page.$eval('#city', (city) => {
    const link = city.querySelector('a');
    return { text: city.textContent, href: link ? link.getAttribute('href') : null };
  });
}

// The page's notice over the canvas: null while hidden, else its words and
// the labels of its buttons.
async function shownNotice(page) {
  return page.$eval('#notice', (notice) => (notice.hidden ? null : {
    text: notice.innerText,
    buttons: Array.from(notice.querySelectorAll('button'), (b) => b.textContent),
  }));
}

// What the player sees on the canvas, as RGBA pixels.
async function canvasPicture(page) {
  const canvas = await page.$('#canvas');
  return decodePng(Buffer.from(await canvas.screenshot()));
}

module.exports = {
  Viewport, openGamePage, waitForLine, cityLines, shownCity, shownNotice, canvasPicture,
};
