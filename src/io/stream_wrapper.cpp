#include "io/stream_wrapper.h"

#include <utility>

TStreamWrapper::TStreamWrapper(std::shared_ptr<TStream> stream) : _stream(std::move(stream)) {}

void TStreamWrapper::SetStream(std::shared_ptr<TStream> stream) {
    _stream = std::move(stream);
}

// A detached wrapper answers like a closed file: at its end, with nothing to
// read, so a read loop over it finishes instead of spinning.
bool TStreamWrapper::Eof() {
    return _stream ? _stream->Eof() : true;
}

int64_t TStreamWrapper::Pos() {
    return _stream ? _stream->Pos() : 0;
}

int64_t TStreamWrapper::Size() {
    return _stream ? _stream->Size() : 0;
}

int64_t TStreamWrapper::Seek(int64_t pos) {
    return _stream ? _stream->Seek(pos) : -1;
}

int32_t TStreamWrapper::Flush() {
    return _stream ? _stream->Flush() : 0;
}

int32_t TStreamWrapper::Close() {
    return _stream ? _stream->Close() : 0;
}

int32_t TStreamWrapper::Read(void* buffer, int32_t count) {
    return _stream ? _stream->Read(buffer, count) : 0;
}

int32_t TStreamWrapper::Write(const void* buffer, int32_t count) {
    return _stream ? _stream->Write(buffer, count) : 0;
}

TStream& TStreamWrapper::_Target() {
    if (!_stream || _OwnsPendingBytes()) {
        return _ownRaw;
    }
    return *_stream;
}

int32_t TStreamStream::Close() {
    _stream = nullptr;
    return 0;
}
