#pragma once

// The chain of stream factories that opening a "scheme::path" url consults,
// front first. A factory joins the front of the chain when it is made and
// leaves it when destroyed; the built-in ones (byte-order views, text codecs,
// embedded data, memory banks) are made once, before the first other factory
// or the first look at the chain.

#include "io/stream.h"
#include "io/url.h"
#include "util/registration_chain.h"
#include "util/text.h"

#include <memory>

class TStreamFactory {
public:
    TStreamFactory();
    virtual ~TStreamFactory();
    TStreamFactory(const TStreamFactory&) = delete;
    TStreamFactory& operator=(const TStreamFactory&) = delete;

    // The stream for the request, or null when this factory does not serve
    // it. `scheme` is lower-case; both texts are empty for a url that is not
    // text.
    virtual std::shared_ptr<TStream> CreateStream(const TUrl& url, const Text& scheme,
                                                  const Text& path, bool readable,
                                                  bool writeable) = 0;

    // The next factory of the chain.
    TStreamFactory* Successor() const { return _link.Successor(); }

private:
    TRegistrationChain<TStreamFactory>::TLink _link;
};

// The whole chain, the built-ins already in it, for walking front first.
const TRegistrationChain<TStreamFactory>& StreamFactories();

// The front of the chain.
TStreamFactory* FirstStreamFactory();
