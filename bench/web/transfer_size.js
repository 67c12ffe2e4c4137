// What a player downloads: each file of the site as a web server sends it,
// gzip-compressed at the strongest level.
'use strict';

const fs = require('fs');
const path = require('path');
const zlib = require('zlib');

// The site's files, by name, each with its size on disk and gzipped.
function gzippedSizes(siteDir) {
  return fs.readdirSync(siteDir, { withFileTypes: true })
    .filter((entry) => entry.isFile())
    .map((entry) => entry.name)
    .sort()
    .map((name) => {
      const contents = fs.readFileSync(path.join(siteDir, name));
      return { name, bytes: contents.length, gzipped: zlib.gzipSync(contents, { level: 9 }).length };
    });
}

module.exports = { gzippedSizes };
