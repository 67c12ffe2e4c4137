#pragma once

// Stand-ins for the road tile pictures: one distinct image per tile code,
// so a test can tell which picture a cell received.

#include "containers/hash_table.h"
#include "graphics/image.h"
#include "util/text.h"

#include <memory>
#include <vector>

// The 15 codes a road cell can have: every non-empty subset of the digits
// 1 to 4, digits ascending.
inline std::vector<Text> AllTileCodes() {
    std::vector<Text> codes;
    for (int bits = 1; bits < 16; ++bits) {
        Text code;
        for (int digit = 0; digit < 4; ++digit) {
            if (bits & (1 << digit)) {
                code += static_cast<char16_t>(u'1' + digit);
            }
        }
        codes.push_back(code);
    }
    return codes;
}

// Fills `library` with a 64 x 64 image under "r" + code + ".png" for every
// code except `leftOut`.
inline void FillTileLibrary(THashTable<TImage>& library, const Text& leftOut = Text()) {
    for (const Text& code : AllTileCodes()) {
        if (code != leftOut) {
            library.Insert(u"r" + code + u".png", TImage::Create(64, 64, 1, 0, 0, 0, 0));
        }
    }
}
