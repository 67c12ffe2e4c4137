// A browser without WebGL 2 gets the reason in words, in place of the
// picture, with nothing else on standard error mixed in.
'use strict';

const assert = require('node:assert/strict');
const { test } = require('node:test');
const { siteDir, serveSite, launchBrowser, waitUntil } = require('./lib/browser');
const { openGamePage, shownNotice } = require('./lib/game_page');

const Reason = 'This browser cannot draw the game: it has no WebGL 2';

// WebGL 1 stays: the game needs version 2 and must not settle for less.
test('without WebGL 2 the page says why the game cannot run', async (t) => {
  const site = await serveSite(siteDir());
  const browser = await launchBrowser(['--disable-webgl2']);
  t.after(async () => {
    await browser.close();
    site.stop();
  });
  const game = await openGamePage(browser, site.url + '?city=5');
  const stopped = async () => /stopped/.test((await shownNotice(game.page))?.text ?? '');
  await waitUntil(stopped, 'the error notice', 30000);

  const notice = await shownNotice(game.page);
  t.diagnostic(`the notice: ${JSON.stringify(notice.text)}`);
  assert.match(notice.text, /^The game stopped because of an error:/);
  const shownLines = await game.page.$eval('#notice pre', (pre) => pre.textContent.split('\n'));
  assert.equal(shownLines.length, 1, `the error shows ${JSON.stringify(shownLines)}`);
  assert.ok(shownLines[0].endsWith(Reason), `the error shows "${shownLines[0]}"`);
  assert.deepEqual(notice.buttons, ['Try a new game']);
  assert.deepEqual(game.problems, []);
});
