#pragma once

// One held key for the input layer however many things hold it: a key held
// on the keyboard and on a game controller at once (or on two controls of
// one controller, or on two controllers) goes down with the first holder and
// up with the last.

#include <compare>
#include <cstdint>
#include <map>
#include <set>

// A change the input layer sees: EventKeyDown or EventKeyUp of one key code.
struct TKeyTransition {
    int32_t id;
    int32_t key;

    bool operator==(const TKeyTransition&) const = default;
};

struct TKeyHolder {
    int32_t device = 0;  // the keyboard, or one controller
    int32_t control = 0; // a button or an axis direction of that device

    auto operator<=>(const TKeyHolder&) const = default;
};

class TKeyHolders {
public:
    // Whether the key goes down: unless another holder holds it already. The
    // same holder pressing again (an unmarked repeat) counts as going down
    // again, as the event it comes from would have without a second holder.
    bool Press(int32_t key, TKeyHolder holder);
    // Whether the key goes up: unless another holder still holds it. A holder
    // that was forgotten (or never seen) still lets go of a key nobody holds.
    bool Release(int32_t key, TKeyHolder holder);
    // Forgets every holder, for when the input layer forgets its held keys.
    void Clear();

private:
    bool HeldByAnotherThan(int32_t key, TKeyHolder holder) const;

    std::map<int32_t, std::set<TKeyHolder>> _holders;
};
