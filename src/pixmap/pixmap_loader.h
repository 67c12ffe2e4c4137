#pragma once

// Pictures are decoded by a chain of loaders, each asked in turn until one
// recognises the data. A loader joins the front of the chain when it is made,
// so the loader made last is asked first. The built-in loaders are made
// once, PNG first and BMP second, before the first look at the chain.

#include "io/stream.h"
#include "io/url.h"
#include "pixmap/pixmap.h"
#include "util/registration_chain.h"

#include <memory>

class TPixmapLoader {
public:
    TPixmapLoader();
    virtual ~TPixmapLoader();
    TPixmapLoader(const TPixmapLoader&) = delete;
    TPixmapLoader& operator=(const TPixmapLoader&) = delete;

    // The picture at the stream's position, or null when the data is not in
    // this loader's format or cannot be decoded. Running out of data may
    // raise a stream exception, which the chain takes as a refusal. The
    // chain owns the stream and closes it.
    virtual std::shared_ptr<TPixmap> LoadPixmap(const std::shared_ptr<TStream>& stream) = 0;

    // The next loader of the chain.
    TPixmapLoader* Successor() const { return _link.Successor(); }

private:
    TRegistrationChain<TPixmapLoader>::TLink _link;
};

// The front of the chain.
TPixmapLoader* FirstPixmapLoader();

// Opens the source for reading and asks every loader, from the front, with
// the stream back at its starting position each time. Null when the source
// cannot be opened or cannot seek, or when no loader recognises the data.
std::shared_ptr<TPixmap> LoadPixmapFrom(const TUrl& source);
