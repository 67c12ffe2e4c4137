#include "io/c_stream.h"

#include "io/c_file_open.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <algorithm>

std::shared_ptr<TCStream> TCStream::OpenFile(const Text& path, bool readable, bool writeable) {
    const char* openMode = "rb";
    int32_t mode = MODE_READ;
    if (readable && writeable) {
        openMode = "r+b";
        mode = MODE_READ | MODE_WRITE;
    } else if (writeable) {
        openMode = "wb";
        mode = MODE_WRITE;
    }
    Text slashed = path;
    std::replace(slashed.begin(), slashed.end(), u'\\', u'/');
    FILE* handle = OpenCFile(slashed, openMode);
    if (!handle) {
        return nullptr;
    }
    // The C library opens a directory for reading without complaint; it is
    // still not a file, and every read would fail.
    struct stat info {};
    if (fstat(fileno(handle), &info) == 0 && S_ISDIR(info.st_mode)) {
        std::fclose(handle);
        return nullptr;
    }
    return CreateWithCStream(handle, mode);
}

std::shared_ptr<TCStream> TCStream::CreateWithCStream(FILE* handle, int32_t mode) {
    if (!handle) {
        return nullptr;
    }
    return std::make_shared<TCStream>(handle, mode);
}

TCStream::TCStream(FILE* handle, int32_t mode) : _cstream(handle), _mode(mode) {
    if (!_cstream) {
        return; // a closed stream
    }
    _pos = ftello(_cstream);
    if (_pos < 0) {
        _pos = -1;
        return;
    }
    if (fseeko(_cstream, 0, SEEK_END) == 0) {
        _size = ftello(_cstream);
    }
    fseeko(_cstream, _pos, SEEK_SET);
}

TCStream::~TCStream() {
    Close();
}

int64_t TCStream::Pos() {
    return _pos;
}

int64_t TCStream::Size() {
    return _size;
}

int64_t TCStream::Seek(int64_t pos) {
    if (!_cstream) {
        return -1;
    }
    fseeko(_cstream, pos, SEEK_SET);
    _lastDirection = TDirection::None;
    _pos = ftello(_cstream);
    return _pos;
}

int32_t TCStream::Flush() {
    return _cstream ? std::fflush(_cstream) : 0;
}

int32_t TCStream::Close() {
    if (_cstream) {
        std::fflush(_cstream);
        std::fclose(_cstream);
        _cstream = nullptr;
        _pos = 0;
        _size = 0;
    }
    return 0;
}

void TCStream::_Turn(TDirection direction) {
    if (_lastDirection != TDirection::None && _lastDirection != direction) {
        fseeko(_cstream, 0, SEEK_CUR);
    }
    _lastDirection = direction;
}

int32_t TCStream::Read(void* buffer, int32_t count) {
    if (!_cstream || count <= 0) {
        return 0;
    }
    _Turn(TDirection::Reading);
    const auto n = static_cast<int32_t>(std::fread(buffer, 1, count, _cstream));
    // A handle that cannot seek keeps its position at -1, the mark that
    // tells FileOpen to buffer it.
    if (_pos >= 0) {
        _pos += n;
    }
    return n;
}

int32_t TCStream::Write(const void* buffer, int32_t count) {
    if (!_cstream || count <= 0) {
        return 0;
    }
    _Turn(TDirection::Writing);
    const auto n = static_cast<int32_t>(std::fwrite(buffer, 1, count, _cstream));
    if (_pos >= 0) {
        _pos += n;
        _size = std::max(_size, _pos);
    }
    return n;
}
