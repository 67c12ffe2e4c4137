#pragma once

// An open-addressing hash table from texts to shared references.
//
// Insert lower-cases its key; lookups use the key as given, so callers look
// keys up in lower case. Removing a key leaves a tombstone in its slot, which
// probes pass over and insertions never reuse; tombstones are dropped only
// when the table doubles. The table grows before an insertion once more than
// half of its slots have been filled, tombstones included, which keeps probe
// sequences short and guarantees an empty slot to end every probe.
//
// Probes never match the tombstone, whatever the key: the empty text is an
// ordinary key. Were the tombstone matched by its (empty) key, removing the
// empty key from a table with a tombstone would count that tombstone again
// and make a table that still holds entries report itself empty.
//
// Walks go in slot order, not insertion order. Every step of a walk reads the
// table as it is at that moment and yields only live entries, so changing the
// table during a walk is memory-safe, though the walk may then miss or repeat
// entries. A walk must not outlive its table.

#include "containers/enum_iterator.h"
#include "containers/hash_entry.h"
#include "util/text.h"

#include <cstdint>
#include <iterator>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

// What a walk over a table yields for each entry.
enum class THashYield { Entries, Keys, Values };

template <typename T, THashYield Yield>
class THashEnum;

template <typename T>
using THashTableEnum = THashEnum<T, THashYield::Entries>;
template <typename T>
using THashKeysEnum = THashEnum<T, THashYield::Keys>;
template <typename T>
using THashValuesEnum = THashEnum<T, THashYield::Values>;

template <typename T>
class THashTable {
public:
    static constexpr int32_t INIT_SIZE = 256;
    static constexpr uint32_t HASH_SHIFT = 5;
    static constexpr uint32_t HASH_PRIME = 108301;

    THashTable() { Clear(); }

    THashTable(const THashTable&) = delete;
    THashTable& operator=(const THashTable&) = delete;

    // Back to INIT_SIZE empty slots.
    void Clear() {
        _table = std::vector<std::shared_ptr<TEntryBase>>(INIT_SIZE);
        _last = INIT_SIZE - 1;
        _count = 0;
        _dummies = 0;
    }

    bool Contains(const Text& key) const { return _table[_FindIndex(key)] != nullptr; }

    // Stores the value under the lower-cased key, replacing the value of an
    // entry that already has that key.
    void Insert(const Text& key, std::shared_ptr<T> value) {
        Text lowerKey = LowerText(key);
        // Tested before every insertion, new key or not.
        if (_count > _last / 2) {
            _Resize((_last + 1) * 2);
        }
        std::shared_ptr<TEntryBase>& slot = _table[_FindIndex(lowerKey)];
        if (slot) {
            static_cast<TEntry<T>&>(*slot)._value = std::move(value);
        } else {
            ++_count;
            slot = std::make_shared<TEntry<T>>(std::move(lowerKey), std::move(value));
        }
    }

    // True when no live entry is left.
    bool IsEmpty() const { return _count == _dummies; }

    // False when the key is not in the table.
    bool Remove(const Text& key) {
        std::shared_ptr<TEntryBase>& slot = _table[_FindIndex(key)];
        if (!slot) {
            return false;
        }
        slot = TEntryBase::Tombstone();
        ++_dummies;
        return true;
    }

    // Null when the key is not in the table.
    std::shared_ptr<T> ValueForKey(const Text& key) const {
        const std::shared_ptr<TEntryBase>& slot = _table[_FindIndex(key)];
        return slot ? static_cast<const TEntry<T>&>(*slot)._value : nullptr;
    }

    THashKeysEnum<T> Keys() const { return THashKeysEnum<T>(this); }
    THashValuesEnum<T> Values() const { return THashValuesEnum<T>(this); }
    THashTableEnum<T> ObjectEnumerator() const { return THashTableEnum<T>(this); }

    // Range-for over the table yields its entries.
    TEnumIterator<THashTableEnum<T>> begin() const {
        return TEnumIterator<THashTableEnum<T>>(ObjectEnumerator());
    }
    std::default_sentinel_t end() const { return {}; }

    // Read-only views of the layout, for tests and diagnostics.
    int32_t SlotCount() const { return _last + 1; }
    // Slots filled since the last resize or clear, tombstones included.
    int32_t Count() const { return _count; }
    // Tombstones among them.
    int32_t Dummies() const { return _dummies; }
    // The slot holding the key's entry, or -1 when the key is not there.
    int32_t SlotIndex(const Text& key) const {
        int32_t i = _FindIndex(key);
        return _table[i] ? i : -1;
    }

private:
    template <typename, THashYield>
    friend class THashEnum;

    // The slot of the entry with this key, or the first empty slot on the
    // key's probe sequence. Each probe step mixes in the hash shifted further
    // right, so its higher bits take part too.
    int32_t _FindIndex(const Text& key) const {
        uint32_t h = 0;
        for (char16_t unit : key) {
            h = (h * HASH_PRIME) ^ unit;
        }
        const uint32_t mask = static_cast<uint32_t>(_last);
        uint32_t i = h & mask;
        while (_table[i] && (_IsTombstone(i) || _table[i]->Key() != key)) {
            h >>= HASH_SHIFT;
            i = (i * 5 + 1 + h) & mask;
        }
        return static_cast<int32_t>(i);
    }

    // Moves the live entries, the same entry objects, into `size` new slots
    // and drops the tombstones.
    void _Resize(int32_t size) {
        std::vector<std::shared_ptr<TEntryBase>> old = std::move(_table);
        _last = size - 1;
        _table = std::vector<std::shared_ptr<TEntryBase>>(static_cast<size_t>(size));
        _count = 0;
        _dummies = 0;
        for (std::shared_ptr<TEntryBase>& entry : old) {
            if (entry && entry != TEntryBase::Tombstone()) {
                _table[_FindIndex(entry->Key())] = std::move(entry);
                ++_count;
            }
        }
    }

    bool _IsTombstone(uint32_t i) const { return _table[i] == TEntryBase::Tombstone(); }
    bool _IsLive(int32_t i) const { return _table[i] && !_IsTombstone(i); }

    // Always _last + 1 slots, a power of two.
    std::vector<std::shared_ptr<TEntryBase>> _table;
    int32_t _last = 0;
    int32_t _count = 0;
    int32_t _dummies = 0;
};

// A walk over the live entries of a table in slot order, yielding the entries
// themselves, their keys or their values.
template <typename T, THashYield Yield>
class THashEnum {
public:
    using Object =
        std::conditional_t<Yield == THashYield::Entries, std::shared_ptr<const TEntry<T>>,
                           std::conditional_t<Yield == THashYield::Keys, Text, std::shared_ptr<T>>>;

    // The table may have changed since the walk last moved: the slot it
    // stands on may now be a tombstone, empty or past the end. So both calls
    // look for the next live slot afresh instead of trusting the old one.
    bool HasNext() const { return _ht != nullptr && _LiveFrom(_i) <= _ht->_last; }

    // Yields the entry at the next live slot and moves on past it. At the end
    // of the walk it returns an empty object.
    Object NextObject() {
        if (!HasNext()) {
            return Object{};
        }
        _i = _LiveFrom(_i);
        auto entry = std::static_pointer_cast<const TEntry<T>>(_ht->_table[_i]);
        _Advance(_i + 1);
        if constexpr (Yield == THashYield::Entries) {
            return entry;
        } else if constexpr (Yield == THashYield::Keys) {
            return entry->Key();
        } else {
            return entry->Value();
        }
    }

    // A walk can stand where a collection is expected.
    THashEnum& ObjectEnumerator() { return *this; }

    TEnumIterator<THashEnum> begin() const { return TEnumIterator<THashEnum>(*this); }
    std::default_sentinel_t end() const { return {}; }

private:
    friend class THashTable<T>;

    explicit THashEnum(const THashTable<T>* ht) : _ht(ht) { _Advance(0); }

    // Stops on the first live slot from `from` on, or ends the walk.
    void _Advance(int32_t from) {
        _i = _LiveFrom(from);
        if (_i > _ht->_last) {
            _ht = nullptr;
        }
    }

    // The first live slot from i on, or _last + 1 when there is none.
    int32_t _LiveFrom(int32_t i) const {
        while (i <= _ht->_last && !_ht->_IsLive(i)) {
            ++i;
        }
        return i;
    }

    // Null once the walk is over.
    const THashTable<T>* _ht;
    int32_t _i = 0;
};
