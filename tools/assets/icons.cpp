#include "icons.h"

#include "pixel_grid.h"
#include "sprites.h"
#include "util/runtime_error.h"
#include "util/text.h"

std::shared_ptr<TPixmap> PaintIcon(int32_t size) {
    const auto sewer = PaintSewer();
    if (size <= 0 || size % sewer->width != 0 || sewer->width != sewer->height) {
        RaiseRuntimeError(u"no icon of " + IntToText(size) + u" pixels: the sewer is " +
                          IntToText(sewer->width) + u" pixels square");
    }
    return Enlarge(*sewer, size / sewer->width);
}
