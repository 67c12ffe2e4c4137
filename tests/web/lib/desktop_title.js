// The desktop build's start-up for a seed, as the reference for the page:
// the Linux title-frame program prints the same progress lines as the game
// and saves the title frame asked for (it opens a real window, so it needs
// the X display the tests run under).
'use strict';

const { execFile } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { decodePng } = require('./png');

function linuxBinDir() {
  const dir = process.env.SEWER_LINUX_BIN_DIR;
  if (!dir || !fs.existsSync(path.join(dir, 'title-frame'))) {
    throw new Error('SEWER_LINUX_BIN_DIR must name a Linux build\'s bin/ with title-frame');
  }
  return path.resolve(dir);
}

// Resolves to { printed, picture }: the lines it wrote on standard output
// (without line endings) and frame `frame` (from 1) as RGBA pixels.
function desktopTitleFrame(seed, frame) {
  const binDir = linuxBinDir();
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'sewer-title-'));
  const picturePath = path.join(work, 'title.png');
  return new Promise((resolve, reject) => {
    execFile(path.join(binDir, 'title-frame'), [String(seed), String(frame), picturePath],
             { cwd: binDir, timeout: 60000 }, (error, stdout, stderr) => {
      try {
        if (error) {
          throw new Error(`title-frame ${seed} ${frame} failed: ${error.message} ${stderr}`);
        }
        resolve({
          printed: stdout.split('\n').map((line) => line.replace(/\r$/, '')),
          picture: decodePng(fs.readFileSync(picturePath)),
        });
      } catch (failure) {
        reject(failure);
      } finally {
        fs.rmSync(work, { recursive: true, force: true });
      }
    });
  });
}

module.exports = { desktopTitleFrame, linuxBinDir };
