#include "system/key_holders.h"

bool TKeyHolders::HeldByAnotherThan(int32_t key, TKeyHolder holder) const {
    const auto found = _holders.find(key);
    if (found == _holders.end()) {
        return false;
    }
    return found->second.size() > found->second.count(holder);
}

bool TKeyHolders::Press(int32_t key, TKeyHolder holder) {
    const bool down = !HeldByAnotherThan(key, holder);
    _holders[key].insert(holder);
    return down;
}

bool TKeyHolders::Release(int32_t key, TKeyHolder holder) {
    const bool up = !HeldByAnotherThan(key, holder);
    if (const auto found = _holders.find(key); found != _holders.end()) {
        found->second.erase(holder);
        if (found->second.empty()) {
            _holders.erase(found);
        }
    }
    return up;
}

void TKeyHolders::Clear() {
    _holders.clear();
}
