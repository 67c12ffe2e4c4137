#include "pixmap/pixmap_loader.h"

#include "io/stream_exception.h"
#include "io/stream_open.h"
#include "pixmap/pixmap_loader_bmp.h"
#include "pixmap/pixmap_loader_png.h"

namespace {

// The built-ins go in before any other loader, so that a loader made by the
// program always stands in front of them. They are made in this order so
// that the BMP loader, made last, is asked first.
TRegistrationChain<TPixmapLoader>& Loaders() {
    static TRegistrationChain<TPixmapLoader> chain;
    chain.InstallOnce([] {
        static TPixmapLoaderPNG png;
        static TPixmapLoaderBMP bmp;
    });
    return chain;
}

} // namespace

TPixmapLoader::TPixmapLoader() : _link(Loaders(), *this) {}

TPixmapLoader::~TPixmapLoader() = default;

TPixmapLoader* FirstPixmapLoader() {
    return Loaders().Front();
}

std::shared_ptr<TPixmap> LoadPixmapFrom(const TUrl& source) {
    const auto stream = StreamOpenRead(source);
    if (!stream) {
        return nullptr;
    }
    const int64_t start = stream->Pos();
    std::shared_ptr<TPixmap> pixmap;
    if (start != -1) {
        for (TPixmapLoader& loader : Loaders()) {
            stream->Seek(start);
            try {
                pixmap = loader.LoadPixmap(stream);
            } catch (const TStreamException&) {
                // The data ran out or was refused by the stream: not this
                // loader's picture.
            }
            if (pixmap) {
                break;
            }
        }
    }
    stream->Close();
    return pixmap;
}
