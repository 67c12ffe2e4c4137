#pragma once

// Every picture of the game's image directory, loaded once at start-up and
// found by file name. The road map builder takes its road tiles from here,
// so the set of tiles is whatever the directory holds.

#include "containers/hash_table.h"
#include "graphics/image.h"
#include "util/text.h"

#include <cstdint>

// Key: the file name in lower case, extension included ("r13.png"). Value:
// the picture loaded with image flags 0, or null when it could not be read.
extern THashTable<TImage> ImageLibrary;

// The "img" folder of the working directory (the program's own directory),
// with a trailing "/".
Text ImageDirectory();

// Raises the runtime error "couldnt find image dir" when the image folder
// cannot be listed: without it no picture of the game can load.
void RequireImageDirectory();

// Empties ImageLibrary and fills it from the image folder, printing that
// folder's path. Every entry whose name ends in ".png", in any letter case,
// is loaded; the rest are ignored. A folder that cannot be listed is the
// error of RequireImageDirectory. Returns 0.
int32_t LoadImageLibrary();
