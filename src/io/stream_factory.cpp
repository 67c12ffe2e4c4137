#include "io/stream_factory.h"

#include "io/builtin_stream_factories.h"

namespace {

TStreamFactory*& ChainFront() {
    static TStreamFactory* front = nullptr;
    return front;
}

} // namespace

TStreamFactory::TStreamFactory() {
    // The built-ins go in first, so that a factory made by the program
    // always stands in front of them.
    RegisterBuiltInStreamFactories();
    _succ = ChainFront();
    ChainFront() = this;
}

TStreamFactory::~TStreamFactory() {
    for (TStreamFactory** link = &ChainFront(); *link; link = &(*link)->_succ) {
        if (*link == this) {
            *link = _succ;
            return;
        }
    }
}

TStreamFactory* FirstStreamFactory() {
    RegisterBuiltInStreamFactories();
    return ChainFront();
}
