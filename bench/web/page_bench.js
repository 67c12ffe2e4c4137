// The browser version's benchmark: what a player downloads, and the game's
// page against a bare WebGL 2 page (bare.html, one textured quad per frame)
// in one headless Chromium: from navigation to the first title frame, and
// the cost of a frame of play with ten police cars. The machine's cores are
// shared with the software renderer, so the two pages take turns, several
// runs each, and the figures are medians.
//
//   node bench/web/page_bench.js [SITE_DIR] [--runs N] [--seconds S] [--console]
//
// SITE_DIR is the built site (default build/web/site); SEWER_WEB_NPM_DIR
// names the folder where puppeteer-core is installed (scripts/web.sh
// --test). --console hands the game's console lines on to the DevTools
// protocol as a test harness does (frame_probe.js tells why that is not the
// default). Prints "name value unit" lines for each run, then the medians.
'use strict';

const fs = require('fs');
const path = require('path');

const BudgetBytes = 1.5e6;
const PlayUnits = {
  frames: 'frames', framesPerSecond: 'fps', intervalMedian: 'ms', interval95: 'ms',
  mainBusyShare: 'share', mainBusyPerFrame: 'ms', scriptPerFrame: 'ms', mainCpuPerFrame: 'ms', browserCpuPerFrame: 'ms',
  callsMedian: 'calls', callsLeast: 'calls', policeCars: 'cars',
};

function usage(message) {
  console.error(`${message}\nusage: node bench/web/page_bench.js [SITE_DIR] [--runs N] [--seconds S] [--console]`);
  process.exit(2);
}

function parseArguments(args) {
  const options = { site: 'build/web/site', runs: 5, seconds: 5, passConsoleOn: false };
  for (let i = 0; i < args.length; ++i) {
    if (args[i] === '--runs' || args[i] === '--seconds') {
      const value = Number(args[++i]);
      if (!(value > 0) || (args[i - 1] === '--runs' && !Number.isInteger(value))) {
        usage(`${args[i - 1]} needs a positive number (of runs: a whole one)`);
      }
      options[args[i - 1].slice(2)] = value;
    } else if (args[i] === '--console') {
      options.passConsoleOn = true;
    } else if (args[i].startsWith('-')) {
      usage(`unknown option ${args[i]}`);
    } else {
      options.site = args[i];
    }
  }
  options.site = path.resolve(options.site);
  if (!fs.existsSync(path.join(options.site, 'sewer-run.wasm'))) {
    usage(`no site in ${options.site}: build it with scripts/web.sh`);
  }
  const npmDir = process.env.SEWER_WEB_NPM_DIR;
  if (!npmDir || !fs.existsSync(path.join(npmDir, 'node_modules', 'puppeteer-core'))) {
    usage('SEWER_WEB_NPM_DIR must name the folder with node_modules/puppeteer-core ' +
          '(scripts/web.sh --test installs it in build/web/npm)');
  }
  return options;
}

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = Math.floor(sorted.length / 2);
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

function figure(name, value, unit) {
  const integral = ['B', 'frames', 'calls', 'cars'].includes(unit);
  console.log(`${name} ${value.toFixed(integral ? 0 : 3)} ${unit}`);
}

function reportTransferSize(site) {
  const { gzippedSizes } = require('./transfer_size');
  console.log('== transfer size: each file gzip -9, as a web server sends it');
  const files = gzippedSizes(site);
  for (const file of files) {
    console.log(`  ${file.name.padEnd(16)} ${String(file.bytes).padStart(9)} B on disk, ` +
                `${String(file.gzipped).padStart(9)} B sent`);
    figure(`web_gzip_bytes_${file.name}`, file.gzipped, 'B');
  }
  const total = files.reduce((sum, file) => sum + file.gzipped, 0);
  figure('web_gzip_bytes_total', total, 'B');
  console.log(`  total ${(total / 1e6).toFixed(3)} MB (budget ${BudgetBytes / 1e6} MB)`);
  return total;
}

function reportRun(prefix, run) {
  if (run.firstFrame !== undefined) {
    figure(`${prefix}_first_frame_ms`, run.firstFrame, 'ms');
  }
  for (const [phase, at] of Object.entries(run.startUp || {})) {
    figure(`${prefix}_${phase}_ms`, at, 'ms');
  }
  for (const [name, value] of Object.entries(run.play)) {
    figure(`${prefix}_play_${name}`, value, PlayUnits[name]);
  }
  if (run.play.callsLeast < run.play.callsMedian / 2) {
    console.log(`  (a frame made ${run.play.callsLeast} WebGL calls against the usual ` +
                `${run.play.callsMedian}: a win or lose screen may have ended play)`);
  }
}

function reportMedians(runs, transferTotal) {
  const of = (list, pick) => median(list.map(pick));
  const bareFirst = of(runs.bare, (run) => run.firstFrame);
  const title = of(runs.game, (run) => run.startUp.titleShown);
  console.log(`== medians of ${runs.game.length} runs each, against the bare page`);
  console.log(`  transfer size      ${(transferTotal / 1e6).toFixed(3)} MB gzipped ` +
              `(budget ${BudgetBytes / 1e6} MB)`);
  console.log(`  first title frame  ${title.toFixed(0)} ms, bare page ${bareFirst.toFixed(0)} ms: ` +
              `${(title / bareFirst).toFixed(2)} x, +${(title - bareFirst).toFixed(0)} ms`);
  const phases = ['filesLoaded', 'windowOpened', 'cityBuilt', 'titleShown']
    .map((phase) => `${phase} ${of(runs.game, (run) => run.startUp[phase]).toFixed(0)}`);
  console.log(`  title start-up     ms since navigation: ${phases.join(', ')}`);
  for (const [name, label] of [['mainBusyPerFrame', 'main thread busy'],
                               ['scriptPerFrame', 'JavaScript'],
                               ['mainCpuPerFrame', 'main thread CPU'],
                               ['browserCpuPerFrame', 'browser CPU, all processes']]) {
    const game = of(runs.game, (run) => run.play[name]);
    const bare = of(runs.bare, (run) => run.play[name]);
    console.log(`  per frame, ${label}: game ${game.toFixed(3)} ms, bare ${bare.toFixed(3)} ms: ` +
                `${(game / bare).toFixed(1)} x`);
  }
  for (const [name, label] of [['framesPerSecond', 'frames per second'],
                               ['intervalMedian', 'frame interval, median ms'],
                               ['interval95', 'frame interval, 95th percentile ms'],
                               ['mainBusyShare', 'main thread busy, share of the time'],
                               ['callsMedian', 'WebGL clear/draw calls per frame']]) {
    console.log(`  ${label}: game ${of(runs.game, (run) => run.play[name]).toFixed(2)}, ` +
                `bare ${of(runs.bare, (run) => run.play[name]).toFixed(2)}`);
  }
  // Ten are called; play also sends police cars of its own now and then.
  const cars = runs.game.map((run) => run.play.policeCars);
  console.log(`  police cars created by the end of each run: ${cars.join(', ')}`);
}

async function main() {
  const options = parseArguments(process.argv.slice(2));
  const transferTotal = reportTransferSize(options.site);

  const { serveSite, launchBrowser } = require('../../tests/web/lib/browser');
  const { bareRun, gameRun } = require('./page_runs');
  const gameSite = await serveSite(options.site);
  const bareSite = await serveSite(__dirname);
  const browser = await launchBrowser();
  const bareUrl = `${bareSite.url}bare.html`;
  const runs = { bare: [], game: [] };
  try {
    const session = { browser, browserPid: browser.process().pid, seconds: options.seconds,
                      passConsoleOn: options.passConsoleOn };
    // A fresh browser's first WebGL page also pays for the browser's first
    // WebGL context, which a player's browser has made long before: that
    // page is left out of both.
    const warmUp = await bareRun({ ...session, seconds: 1 }, bareUrl);
    figure('web_warm_up_first_frame_ms', warmUp.firstFrame, 'ms');
    for (let run = 1; run <= options.runs; ++run) {
      console.log(`== run ${run} of ${options.runs}`);
      runs.bare.push(await bareRun(session, bareUrl));
      reportRun('web_bare', runs.bare.at(-1));
      runs.game.push(await gameRun(session, gameSite.url));
      reportRun('web_game', runs.game.at(-1));
    }
  } finally {
    await browser.close();
    gameSite.stop();
    bareSite.stop();
  }
  reportMedians(runs, transferTotal);
}

main().catch((error) => {
  console.error(error.stack || String(error));
  process.exit(1);
});
