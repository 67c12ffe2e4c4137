#include "io/stream.h"

#include "io/stream_exception.h"
#include "util/runtime_error.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string>

// Typed values are copied to and from memory as they lie; the byte-reversed
// view (TXEndianStream) is what gives the other order.
static_assert(std::endian::native == std::endian::little,
              "typed stream access assumes a little-endian machine");

bool TIO::Eof() {
    return Pos() == Size();
}

int64_t TIO::Pos() {
    return -1;
}

int64_t TIO::Size() {
    return 0;
}

int64_t TIO::Seek(int64_t) {
    return -1;
}

int32_t TIO::Flush() {
    return 0;
}

int32_t TIO::Close() {
    return 0;
}

int32_t TIO::Read(void*, int32_t) {
    RaiseRuntimeError(u"Stream is not readable");
}

int32_t TIO::Write(const void*, int32_t) {
    RaiseRuntimeError(u"Stream is not writeable");
}

int32_t TStream::ReadBytes(void* buffer, int32_t count) {
    auto* bytes = static_cast<uint8_t*>(buffer);
    for (int32_t done = 0; done < count;) {
        const int32_t n = Read(bytes + done, count - done);
        if (n <= 0) {
            throw TStreamReadException();
        }
        done += n;
    }
    return std::max(count, 0);
}

int32_t TStream::WriteBytes(const void* buffer, int32_t count) {
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    for (int32_t done = 0; done < count;) {
        const int32_t n = Write(bytes + done, count - done);
        if (n <= 0) {
            throw TStreamWriteException();
        }
        done += n;
    }
    return std::max(count, 0);
}

int32_t TStream::SkipBytes(int32_t count) {
    std::array<uint8_t, 1024> scratch;
    for (int32_t left = count; left > 0;) {
        const int32_t n = Read(scratch.data(), std::min<int32_t>(left, scratch.size()));
        if (n <= 0) {
            throw TStreamReadException();
        }
        left -= n;
    }
    return std::max(count, 0);
}

namespace {

template <typename T>
T ReadValue(TStream& stream) {
    T value;
    stream.ReadBytes(&value, sizeof value);
    return value;
}

template <typename T>
void WriteValue(TStream& stream, T value) {
    stream.WriteBytes(&value, sizeof value);
}

} // namespace

int32_t TStream::ReadByte() {
    return ReadValue<uint8_t>(*this);
}

void TStream::WriteByte(int32_t value) {
    WriteValue(*this, static_cast<uint8_t>(value));
}

int32_t TStream::ReadShort() {
    return ReadValue<uint16_t>(*this);
}

void TStream::WriteShort(int32_t value) {
    WriteValue(*this, static_cast<uint16_t>(value));
}

int32_t TStream::ReadInt() {
    return ReadValue<int32_t>(*this);
}

void TStream::WriteInt(int32_t value) {
    WriteValue(*this, value);
}

int64_t TStream::ReadLong() {
    return ReadValue<int64_t>(*this);
}

void TStream::WriteLong(int64_t value) {
    WriteValue(*this, value);
}

float TStream::ReadFloat() {
    return ReadValue<float>(*this);
}

void TStream::WriteFloat(float value) {
    WriteValue(*this, value);
}

double TStream::ReadDouble() {
    return ReadValue<double>(*this);
}

void TStream::WriteDouble(double value) {
    WriteValue(*this, value);
}

Text TStream::ReadLine() {
    // One byte per Read: the line end must not be read past, and file
    // streams buffer underneath anyway.
    Text line;
    line.reserve(1024);
    for (;;) {
        uint8_t byte = 0;
        if (Read(&byte, 1) != 1 || byte == 0 || byte == '\n') {
            return line;
        }
        if (byte != '\r') {
            line.push_back(byte);
        }
    }
}

void TStream::WriteLine(const Text& text) {
    WriteString(text);
    WriteString(u"\r\n");
}

Text TStream::ReadString(int32_t count) {
    std::string bytes(std::max(count, 0), '\0');
    ReadBytes(bytes.data(), static_cast<int32_t>(bytes.size()));
    Text text(bytes.size(), u'\0');
    std::transform(bytes.begin(), bytes.end(), text.begin(),
                   [](char c) { return static_cast<char16_t>(static_cast<uint8_t>(c)); });
    return text;
}

void TStream::WriteString(const Text& text) {
    std::string bytes(text.size(), '\0');
    std::transform(text.begin(), text.end(), bytes.begin(),
                   [](char16_t unit) { return static_cast<char>(unit & 0xFF); });
    WriteBytes(bytes.data(), static_cast<int32_t>(bytes.size()));
}
