#include "pixmap/pixmap_loader.h"

#include "io/stream_exception.h"
#include "io/stream_open.h"
#include "pixmap/pixmap_loader_bmp.h"
#include "pixmap/pixmap_loader_png.h"

namespace {

TPixmapLoader*& ChainFront() {
    static TPixmapLoader* front = nullptr;
    return front;
}

void RegisterBuiltInPixmapLoaders() {
    // A plain flag rather than one static holding both: each loader's
    // constructor comes back here, and must find the work already under way.
    static bool registered = false;
    if (registered) {
        return;
    }
    registered = true;
    // Made in this order so that the BMP loader, made last, is asked first.
    static TPixmapLoaderPNG png;
    static TPixmapLoaderBMP bmp;
}

} // namespace

TPixmapLoader::TPixmapLoader() {
    // The built-ins go in first, so that a loader made by the program always
    // stands in front of them.
    RegisterBuiltInPixmapLoaders();
    _succ = ChainFront();
    ChainFront() = this;
}

TPixmapLoader::~TPixmapLoader() {
    for (TPixmapLoader** link = &ChainFront(); *link; link = &(*link)->_succ) {
        if (*link == this) {
            *link = _succ;
            return;
        }
    }
}

TPixmapLoader* FirstPixmapLoader() {
    RegisterBuiltInPixmapLoaders();
    return ChainFront();
}

std::shared_ptr<TPixmap> LoadPixmapFrom(const TUrl& source) {
    const auto stream = StreamOpenRead(source);
    if (!stream) {
        return nullptr;
    }
    const int64_t start = stream->Pos();
    std::shared_ptr<TPixmap> pixmap;
    if (start != -1) {
        for (TPixmapLoader* loader = FirstPixmapLoader(); loader && !pixmap;
             loader = loader->Successor()) {
            stream->Seek(start);
            try {
                pixmap = loader->LoadPixmap(stream);
            } catch (const TStreamException&) {
                // The data ran out or was refused by the stream: not this
                // loader's picture.
            }
        }
    }
    stream->Close();
    return pixmap;
}
