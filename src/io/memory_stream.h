#pragma once

// Streams over memory: a growable bank, and a fixed block such as data
// compiled into the program.

#include "io/bank.h"
#include "io/stream.h"

#include <cstdint>
#include <memory>

// Reads and writes a shared TBank (a new empty one when given none); writing
// past the end grows the bank.
class TBankStream : public TStream {
public:
    explicit TBankStream(std::shared_ptr<TBank> bank);

    int64_t Pos() override { return _pos; }
    int64_t Size() override { return _bank->Size(); }
    // Clamped to the bank; returns the new position.
    int64_t Seek(int64_t pos) override;
    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;

    const std::shared_ptr<TBank>& Bank() const { return _bank; }

private:
    std::shared_ptr<TBank> _bank;
    int64_t _pos = 0;
};

// Reads, and when made over writable memory writes, a block of fixed size
// that the caller keeps alive. Writes stop at the end of the block.
class TRamStream : public TStream {
public:
    // Read-only.
    TRamStream(const void* data, int64_t size);
    TRamStream(void* data, int64_t size, bool readable, bool writeable);

    int64_t Pos() override { return _pos; }
    int64_t Size() override { return _size; }
    int64_t Seek(int64_t pos) override;
    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;

private:
    const uint8_t* _data;
    uint8_t* _writableData; // null unless the stream may write
    int64_t _size;
    int64_t _pos = 0;
    bool _readable;
};
