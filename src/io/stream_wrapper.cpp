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

int32_t TStreamStream::Close() {
    _stream = nullptr;
    return 0;
}

// Once detached, the plain TStream behaviour over the closed raw operations
// applies: reads run out of data and writes are refused.

int32_t TStreamStream::ReadBytes(void* buffer, int32_t count) {
    return _stream ? _stream->ReadBytes(buffer, count) : TStream::ReadBytes(buffer, count);
}

int32_t TStreamStream::WriteBytes(const void* buffer, int32_t count) {
    return _stream ? _stream->WriteBytes(buffer, count) : TStream::WriteBytes(buffer, count);
}

int32_t TStreamStream::SkipBytes(int32_t count) {
    return _stream ? _stream->SkipBytes(count) : TStream::SkipBytes(count);
}

int32_t TStreamStream::ReadByte() {
    return _stream ? _stream->ReadByte() : TStream::ReadByte();
}

void TStreamStream::WriteByte(int32_t value) {
    return _stream ? _stream->WriteByte(value) : TStream::WriteByte(value);
}

int32_t TStreamStream::ReadShort() {
    return _stream ? _stream->ReadShort() : TStream::ReadShort();
}

void TStreamStream::WriteShort(int32_t value) {
    return _stream ? _stream->WriteShort(value) : TStream::WriteShort(value);
}

int32_t TStreamStream::ReadInt() {
    return _stream ? _stream->ReadInt() : TStream::ReadInt();
}

void TStreamStream::WriteInt(int32_t value) {
    return _stream ? _stream->WriteInt(value) : TStream::WriteInt(value);
}

int64_t TStreamStream::ReadLong() {
    return _stream ? _stream->ReadLong() : TStream::ReadLong();
}

void TStreamStream::WriteLong(int64_t value) {
    return _stream ? _stream->WriteLong(value) : TStream::WriteLong(value);
}

float TStreamStream::ReadFloat() {
    return _stream ? _stream->ReadFloat() : TStream::ReadFloat();
}

void TStreamStream::WriteFloat(float value) {
    return _stream ? _stream->WriteFloat(value) : TStream::WriteFloat(value);
}

double TStreamStream::ReadDouble() {
    return _stream ? _stream->ReadDouble() : TStream::ReadDouble();
}

void TStreamStream::WriteDouble(double value) {
    return _stream ? _stream->WriteDouble(value) : TStream::WriteDouble(value);
}

Text TStreamStream::ReadLine() {
    return _stream ? _stream->ReadLine() : TStream::ReadLine();
}

void TStreamStream::WriteLine(const Text& text) {
    return _stream ? _stream->WriteLine(text) : TStream::WriteLine(text);
}

Text TStreamStream::ReadString(int32_t count) {
    return _stream ? _stream->ReadString(count) : TStream::ReadString(count);
}

void TStreamStream::WriteString(const Text& text) {
    return _stream ? _stream->WriteString(text) : TStream::WriteString(text);
}
