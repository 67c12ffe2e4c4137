// PNG pictures as RGBA pixels, decoded with Node's own zlib: enough for the
// screenshots of Chromium and the pictures the desktop build saves (8 bits a
// channel, grey or RGB, with or without alpha, not interlaced).
'use strict';

const zlib = require('zlib');

const Signature = Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);
const ChannelsOfColourType = { 0: 1, 2: 3, 4: 2, 6: 4 };

function paeth(left, up, upLeft) {
  const estimate = left + up - upLeft;
  const toLeft = Math.abs(estimate - left);
  const toUp = Math.abs(estimate - up);
  const toUpLeft = Math.abs(estimate - upLeft);
  if (toLeft <= toUp && toLeft <= toUpLeft) {
    return left;
  }
  return toUp <= toUpLeft ? up : upLeft;
}

// Undoes the filter of each row in place; returns the raw rows, one after
// another without their filter bytes.
function unfilter(data, height, stride, bytesPerPixel) {
  const rows = Buffer.alloc(height * stride);
  for (let y = 0; y < height; ++y) {
    const filter = data[y * (stride + 1)];
    const source = y * (stride + 1) + 1;
    const row = y * stride;
    for (let x = 0; x < stride; ++x) {
      const left = x >= bytesPerPixel ? rows[row + x - bytesPerPixel] : 0;
      const up = y > 0 ? rows[row - stride + x] : 0;
      const upLeft = x >= bytesPerPixel && y > 0 ? rows[row - stride + x - bytesPerPixel] : 0;
      let predicted;
      switch (filter) {
        case 0: predicted = 0; break;
        case 1: predicted = left; break;
        case 2: predicted = up; break;
        case 3: predicted = (left + up) >> 1; break;
        case 4: predicted = paeth(left, up, upLeft); break;
        default: throw new Error(`PNG row ${y} has an unknown filter ${filter}`);
      }
      rows[row + x] = (data[source + x] + predicted) & 0xff;
    }
  }
  return rows;
}

// Returns { width, height, rgba } with rgba a Buffer of width * height * 4.
function decodePng(file) {
  if (file.length < 8 || !file.subarray(0, 8).equals(Signature)) {
    throw new Error('not a PNG picture');
  }
  let header = null;
  const compressed = [];
  for (let at = 8; at + 8 <= file.length;) {
    const length = file.readUInt32BE(at);
    const type = file.toString('latin1', at + 4, at + 8);
    const body = file.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      header = { width: body.readUInt32BE(0), height: body.readUInt32BE(4), depth: body[8],
                 colourType: body[9], interlace: body[12] };
    } else if (type === 'IDAT') {
      compressed.push(body);
    } else if (type === 'IEND') {
      break;
    }
    at += 12 + length;
  }
  if (!header) {
    throw new Error('the PNG picture has no header');
  }
  const channels = ChannelsOfColourType[header.colourType];
  if (header.depth !== 8 || !channels || header.interlace !== 0) {
    throw new Error(`unsupported PNG: depth ${header.depth}, colour type ${header.colourType}, ` +
                    `interlace ${header.interlace}`);
  }
  const { width, height } = header;
  const rows = unfilter(zlib.inflateSync(Buffer.concat(compressed)), height, width * channels,
                        channels);
  const rgba = Buffer.alloc(width * height * 4);
  for (let i = 0; i < width * height; ++i) {
    const pixel = rows.subarray(i * channels, (i + 1) * channels);
    const grey = channels <= 2;
    rgba[i * 4] = pixel[0];
    rgba[i * 4 + 1] = grey ? pixel[0] : pixel[1];
    rgba[i * 4 + 2] = grey ? pixel[0] : pixel[2];
    rgba[i * 4 + 3] = channels === 2 || channels === 4 ? pixel[channels - 1] : 255;
  }
  return { width, height, rgba };
}

module.exports = { decodePng };
