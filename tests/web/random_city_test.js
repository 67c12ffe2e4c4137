// Without a city in its address, or with one that is no city number, the
// page builds a new random city each time it is opened, and says nothing
// of the address.
'use strict';

const assert = require('node:assert/strict');
const { test, before, after } = require('node:test');
const { siteDir, serveSite, launchBrowser } = require('./lib/browser');
const { openGamePage, waitForLine, cityLines, shownCity, shownNotice } = require('./lib/game_page');

let site;
let browser;
const cities = [];

before(async () => {
  site = await serveSite(siteDir());
  browser = await launchBrowser();
});

after(async () => {
  await browser?.close();
  site?.stop();
});

// Opens the page at `query`, waits for its city and resolves to the city's
// number and progress lines, once the page has been checked for errors.
async function openCity(query) {
  const game = await openGamePage(browser, site.url + query);
  await waitForLine(game, 'Done with map!');
  const shown = await shownCity(game.page);
  const number = /^City (\d+)$/.exec(shown.text)?.[1];
  assert.ok(number, `the page shows "${shown.text}", not a city`);
  assert.equal(shown.href, `?city=${number}`);
  assert.equal(await shownNotice(game.page), null, 'a notice hides the title');
  assert.deepEqual(game.errorLines, []);
  assert.deepEqual(game.problems, []);
  const city = { query, number, lines: cityLines(game.printed) };
  cities.push(city);
  await game.page.close();
  return city;
}

test('two loads without a city build two different cities', async () => {
  const first = await openCity('');
  const second = await openCity('');
  assert.notEqual(first.number, second.number);
  assert.notDeepEqual(first.lines, second.lines);
});

// Each is refused as a whole, not read as the number it starts with, wraps
// to or would be without its sign.
const notCities = [
  { query: '?city=abc', readings: [] },
  { query: '?city=-5', readings: ['5', '4294967291'] },
  { query: '?city=99999999999', readings: ['99999999999', '1215752191', '4294967295'] },
];
for (const { query, readings } of notCities) {
  test(`${query} is ignored for a random city`, async () => {
    const city = await openCity(query);
    assert.ok(!readings.includes(city.number), `${query} gave city ${city.number}`);
  });
}

// A city that comes back on every load whatever was asked for (seed 0, say)
// is no random city.
test('every load had a city of its own', () => {
  const numbers = cities.map((c) => c.number);
  assert.equal(new Set(numbers).size, numbers.length, `cities ${numbers.join(', ')}`);
});
