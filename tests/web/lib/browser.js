// The page's test harness: the site served on 127.0.0.1 by a plain static
// server, and the machine's Chromium, headless, driven by puppeteer-core.
// Nothing here downloads a browser.
'use strict';

const { spawn } = require('child_process');
const fs = require('fs');
const net = require('net');
const os = require('os');
const path = require('path');

// puppeteer-core is installed into the build directory (scripts/web.sh); the
// directory may be given relative to where the test was started.
const puppeteer = require(path.resolve(process.env.SEWER_WEB_NPM_DIR, 'node_modules',
                                       'puppeteer-core'));

const ChromiumPath = '/usr/lib/chromium/chromium';

function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.unref();
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

async function waitForPort(port, timeoutMs) {
  const deadline = Date.now() + timeoutMs;
  for (;;) {
    const open = await new Promise((resolve) => {
      const socket = net.connect(port, '127.0.0.1', () => {
        socket.end();
        resolve(true);
      });
      socket.on('error', () => resolve(false));
    });
    if (open) {
      return;
    }
    if (Date.now() > deadline) {
      throw new Error(`the site's server did not start on port ${port}`);
    }
    await new Promise((r) => setTimeout(r, 50));
  }
}

// The built site (index.html, sewer-run.js, .wasm, .data).
function siteDir() {
  const dir = process.env.SEWER_WEB_SITE_DIR;
  if (!dir || !fs.existsSync(path.join(dir, 'index.html'))) {
    throw new Error('SEWER_WEB_SITE_DIR must name the built site');
  }
  return dir;
}

// Serves `dir` on a free port of 127.0.0.1; resolves to { url, stop() }.
async function serveSite(dir) {
  const port = await freePort();
  const server = spawn('python3', ['-m', 'http.server', '--bind', '127.0.0.1', '--directory', dir,
                                   String(port)], { stdio: 'ignore' });
  // A test that dies must not leave its server behind.
  const stop = () => server.kill();
  process.on('exit', stop);
  await waitForPort(port, 10000);
  return {
    url: `http://127.0.0.1:${port}/`,
    stop: () => {
      process.off('exit', stop);
      stop();
    },
  };
}

// Starts headless Chromium with WebGL 2 on its software renderer, in a fresh
// profile of its own; extraArgs are added (say, to turn WebGL off).
async function launchBrowser(extraArgs = []) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'sewer-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: ChromiumPath,
    headless: true,
    args: ['--headless=new', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
           '--disable-background-networking', '--disable-component-update', '--disable-sync',
           '--no-first-run', '--autoplay-policy=user-gesture-required', `--user-data-dir=${profile}`,
           ...extraArgs],
  });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return browser;
}

// Resolves once `predicate` (run in Node) holds, polling; rejects with
// `what` after the timeout.
async function waitUntil(predicate, what, timeoutMs = 30000) {
  const deadline = Date.now() + timeoutMs;
  while (!(await predicate())) {
    if (Date.now() > deadline) {
      throw new Error(`timed out waiting for ${what}`);
    }
    await new Promise((r) => setTimeout(r, 50));
  }
}

module.exports = { siteDir, serveSite, launchBrowser, waitUntil };
