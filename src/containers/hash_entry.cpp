#include "containers/hash_entry.h"

namespace {

// The tombstone itself is never handed out as an entry, so it needs no value.
class TTombstone final : public TEntryBase {
public:
    TTombstone() : TEntryBase(Text()) {}
};

} // namespace

const std::shared_ptr<TEntryBase>& TEntryBase::Tombstone() {
    static const std::shared_ptr<TEntryBase> tombstone = std::make_shared<TTombstone>();
    return tombstone;
}
