#include "io/stream_factory.h"

#include "io/builtin_stream_factories.h"

namespace {

// The built-ins go in first, so that a factory made by the program always
// stands in front of them.
TRegistrationChain<TStreamFactory>& Chain() {
    static TRegistrationChain<TStreamFactory> chain;
    chain.InstallOnce(MakeBuiltInStreamFactories);
    return chain;
}

} // namespace

TStreamFactory::TStreamFactory() : _link(Chain(), *this) {}

TStreamFactory::~TStreamFactory() = default;

const TRegistrationChain<TStreamFactory>& StreamFactories() {
    return Chain();
}

TStreamFactory* FirstStreamFactory() {
    return Chain().Front();
}
