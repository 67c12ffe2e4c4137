// Measures of decoded pictures ({ width, height, rgba }) for telling what
// the player saw. Only colour counts: alpha is not what the player sees.
'use strict';

function samePixel(a, b, i) {
  return a.rgba[i] === b.rgba[i] && a.rgba[i + 1] === b.rgba[i + 1] &&
         a.rgba[i + 2] === b.rgba[i + 2];
}

function checkSameSize(a, b) {
  if (a.width !== b.width || a.height !== b.height) {
    throw new Error(`pictures of different sizes: ${a.width}x${a.height}, ` +
                    `${b.width}x${b.height}`);
  }
}

// The pixels of a width x height picture for which `marked(i)` holds, i the
// offset of the pixel's RGBA: { differing, share, box }, how many, their
// share of the picture, and the smallest box holding them ({ left, top,
// right, bottom }, inclusive; null for none).
function markedPixels(width, height, marked) {
  let differing = 0;
  let box = null;
  for (let y = 0; y < height; ++y) {
    for (let x = 0; x < width; ++x) {
      if (!marked((y * width + x) * 4)) {
        continue;
      }
      ++differing;
      box = box ?? { left: x, top: y, right: x, bottom: y };
      box.left = Math.min(box.left, x);
      box.right = Math.max(box.right, x);
      box.bottom = y;
    }
  }
  return { differing, share: differing / (width * height), box };
}

// The pixels that differ between two pictures.
function comparePictures(a, b) {
  checkSameSize(a, b);
  return markedPixels(a.width, a.height, (i) => !samePixel(a, b, i));
}

// The pixels of `during` that were not there `before` and are gone again
// `after`: what came and went, leaving out lasting changes.
function passingChange(before, during, after) {
  checkSameSize(before, during);
  checkSameSize(during, after);
  return markedPixels(before.width, before.height,
                      (i) => !samePixel(before, during, i) && !samePixel(during, after, i));
}

// Every `step`th pixel of every `step`th row: a picture drawn at `step`
// times the size, brought back to the size of one.
function everyNthPixel(picture, step) {
  const width = Math.floor(picture.width / step);
  const height = Math.floor(picture.height / step);
  const rgba = Buffer.alloc(width * height * 4);
  for (let y = 0; y < height; ++y) {
    for (let x = 0; x < width; ++x) {
      const from = (y * step * picture.width + x * step) * 4;
      picture.rgba.copy(rgba, (y * width + x) * 4, from, from + 4);
    }
  }
  return { width, height, rgba };
}

// The mean of every channel of every pixel, from 0 to 255.
function meanBrightness(picture) {
  let sum = 0;
  for (let i = 0; i < picture.rgba.length; i += 4) {
    sum += picture.rgba[i] + picture.rgba[i + 1] + picture.rgba[i + 2];
  }
  return sum / (3 * picture.width * picture.height);
}

module.exports = { comparePictures, passingChange, everyNthPixel, meanBrightness };
