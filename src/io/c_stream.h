#pragma once

// A stream over a C library file handle: the stream that opening a plain path
// gives. It owns the handle and closes it at the latest when destroyed.

#include "io/stream.h"

#include <cstdint>
#include <cstdio>
#include <memory>

class TCStream : public TStream {
public:
    static constexpr int32_t MODE_READ = 1;
    static constexpr int32_t MODE_WRITE = 2;

    // Opens for reading and writing ("r+b", the file must exist), for writing
    // only ("wb", truncating) or else for reading ("rb"). Backslashes in the
    // path count as "/". Null when the file cannot be opened.
    static std::shared_ptr<TCStream> OpenFile(const Text& path, bool readable, bool writeable);

    // Takes ownership of an open handle (null for none). A handle that cannot
    // seek (a pipe) gives a stream whose Pos is -1.
    static std::shared_ptr<TCStream> CreateWithCStream(FILE* handle, int32_t mode);

    TCStream(FILE* handle, int32_t mode);
    ~TCStream() override;
    TCStream(const TCStream&) = delete;
    TCStream& operator=(const TCStream&) = delete;

    // MODE_READ, MODE_WRITE or both, as the stream was opened.
    int32_t Mode() const { return _mode; }

    int64_t Pos() override;
    int64_t Size() override;
    int64_t Seek(int64_t pos) override;
    int32_t Flush() override;
    // Flushes and closes the handle; Pos and Size become 0. Harmless twice.
    int32_t Close() override;
    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;

private:
    enum class TDirection { None, Reading, Writing };

    // C streams open for update must be repositioned between a read and a
    // following write (and the reverse), or the data goes to the wrong place.
    void _Turn(TDirection direction);

    int64_t _pos = 0;
    int64_t _size = 0;
    FILE* _cstream = nullptr;
    int32_t _mode = 0;
    TDirection _lastDirection = TDirection::None;
};
