// The samples of a PCM WAV file and their level, to hold what the page plays
// against the file it was made from.
'use strict';

const fs = require('fs');

// Returns the samples of every channel, interleaved, as numbers in [-1, 1).
function readWavSamples(file) {
  const data = fs.readFileSync(file);
  if (data.toString('latin1', 0, 4) !== 'RIFF' || data.toString('latin1', 8, 12) !== 'WAVE') {
    throw new Error(`${file} is not a WAV file`);
  }
  let format = null;
  for (let at = 12; at + 8 <= data.length;) {
    const id = data.toString('latin1', at, at + 4);
    const size = data.readUInt32LE(at + 4);
    const body = data.subarray(at + 8, Math.min(at + 8 + size, data.length));
    if (id === 'fmt ') {
      format = { encoding: body.readUInt16LE(0), bits: body.readUInt16LE(14) };
    } else if (id === 'data') {
      if (!format || format.encoding !== 1 || (format.bits !== 8 && format.bits !== 16)) {
        throw new Error(`${file}: only 8- and 16-bit PCM is read`);
      }
      const samples = [];
      if (format.bits === 8) {
        // 8-bit PCM is unsigned, centred on 128.
        for (const byte of body) {
          samples.push((byte - 128) / 128);
        }
      } else {
        for (let i = 0; i + 1 < body.length; i += 2) {
          samples.push(body.readInt16LE(i) / 32768);
        }
      }
      return samples;
    }
    at += 8 + size + (size & 1);
  }
  throw new Error(`${file} has no samples`);
}

// The RMS level in dB relative to full scale.
function rmsDb(samples) {
  let sum = 0;
  for (const s of samples) {
    sum += s * s;
  }
  return 10 * Math.log10(sum / samples.length);
}

module.exports = { readWavSamples, rmsDb };
