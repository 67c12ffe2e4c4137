#pragma once

// A growable block of memory: the backing store of a TBankStream.

#include <cstddef>
#include <cstdint>
#include <vector>

class TBank {
public:
    TBank() = default;
    explicit TBank(int64_t size) : _bytes(static_cast<size_t>(size)) {}

    int64_t Size() const { return static_cast<int64_t>(_bytes.size()); }
    // New bytes are zero; shrinking drops the tail.
    void Resize(int64_t size) { _bytes.resize(static_cast<size_t>(size)); }

    uint8_t* Data() { return _bytes.data(); }
    const uint8_t* Data() const { return _bytes.data(); }

private:
    std::vector<uint8_t> _bytes;
};
