#include "graphics/graphics_mode.h"

Text TGraphicsMode::ToString() const {
    return IntToText(width) + u"," + IntToText(height) + u"," + IntToText(depth) + u" " +
           IntToText(hertz) + u"Hz";
}
