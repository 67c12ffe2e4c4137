#pragma once

// One key and value of a THashTable.
//
// The key lives in a base class shared by every value type, so that a single
// tombstone object can mark the removed slots of all tables. A slot is a
// tombstone exactly when it refers to that object; its key plays no part.

#include "util/text.h"

#include <memory>
#include <utility>

template <typename T>
class THashTable;

class TEntryBase {
public:
    TEntryBase(const TEntryBase&) = delete;
    TEntryBase& operator=(const TEntryBase&) = delete;

    const Text& Key() const { return _key; }

    // The process-wide marker of a removed entry.
    static const std::shared_ptr<TEntryBase>& Tombstone();

protected:
    explicit TEntryBase(Text key) : _key(std::move(key)) {}
    ~TEntryBase() = default;

private:
    Text _key;
};

template <typename T>
class TEntry : public TEntryBase {
public:
    TEntry(Text key, std::shared_ptr<T> value)
        : TEntryBase(std::move(key)), _value(std::move(value)) {}

    std::shared_ptr<T> Value() const { return _value; }

private:
    // Inserting an existing key replaces only the value.
    friend class THashTable<T>;

    std::shared_ptr<T> _value;
};
