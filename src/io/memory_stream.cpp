#include "io/memory_stream.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

int64_t ClampPosition(int64_t pos, int64_t size) {
    return std::clamp<int64_t>(pos, 0, size);
}

// How many of `count` bytes fit between `pos` and `size`.
int32_t Available(int64_t pos, int64_t size, int32_t count) {
    return static_cast<int32_t>(std::clamp<int64_t>(size - pos, 0, std::max(count, 0)));
}

} // namespace

TBankStream::TBankStream(std::shared_ptr<TBank> bank)
    : _bank(bank ? std::move(bank) : std::make_shared<TBank>()) {}

int64_t TBankStream::Seek(int64_t pos) {
    _pos = ClampPosition(pos, _bank->Size());
    return _pos;
}

int32_t TBankStream::Read(void* buffer, int32_t count) {
    const int32_t n = Available(_pos, _bank->Size(), count);
    if (n > 0) {
        std::memcpy(buffer, _bank->Data() + _pos, n);
    }
    _pos += n;
    return n;
}

int32_t TBankStream::Write(const void* buffer, int32_t count) {
    if (count <= 0) {
        return 0;
    }
    if (_pos + count > _bank->Size()) {
        _bank->Resize(_pos + count);
    }
    std::memcpy(_bank->Data() + _pos, buffer, count);
    _pos += count;
    return count;
}

TRamStream::TRamStream(const void* data, int64_t size)
    : _data(static_cast<const uint8_t*>(data)), _writableData(nullptr), _size(size),
      _readable(true) {}

TRamStream::TRamStream(void* data, int64_t size, bool readable, bool writeable)
    : _data(static_cast<const uint8_t*>(data)),
      _writableData(writeable ? static_cast<uint8_t*>(data) : nullptr), _size(size),
      _readable(readable) {}

int64_t TRamStream::Seek(int64_t pos) {
    _pos = ClampPosition(pos, _size);
    return _pos;
}

int32_t TRamStream::Read(void* buffer, int32_t count) {
    if (!_readable) {
        return TStream::Read(buffer, count);
    }
    const int32_t n = Available(_pos, _size, count);
    if (n > 0) {
        std::memcpy(buffer, _data + _pos, n);
    }
    _pos += n;
    return n;
}

int32_t TRamStream::Write(const void* buffer, int32_t count) {
    if (!_writableData) {
        return TStream::Write(buffer, count);
    }
    const int32_t n = Available(_pos, _size, count);
    if (n > 0) {
        std::memcpy(_writableData + _pos, buffer, n);
    }
    _pos += n;
    return n;
}
