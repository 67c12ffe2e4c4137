#include "io/xendian_stream.h"

#include <algorithm>
#include <cstdint>

namespace {

void Reverse(void* bytes, int size) {
    auto* b = static_cast<uint8_t*>(bytes);
    std::reverse(b, b + size);
}

} // namespace

void TXEndianStream::Swap2(void* bytes) {
    Reverse(bytes, 2);
}

void TXEndianStream::Swap4(void* bytes) {
    Reverse(bytes, 4);
}

void TXEndianStream::Swap8(void* bytes) {
    Reverse(bytes, 8);
}

int32_t TXEndianStream::ReadShort() {
    uint16_t value;
    ReadBytes(&value, 2);
    Swap2(&value);
    return value;
}

void TXEndianStream::WriteShort(int32_t value) {
    auto bits = static_cast<uint16_t>(value);
    Swap2(&bits);
    WriteBytes(&bits, 2);
}

int32_t TXEndianStream::ReadInt() {
    int32_t value;
    ReadBytes(&value, 4);
    Swap4(&value);
    return value;
}

void TXEndianStream::WriteInt(int32_t value) {
    Swap4(&value);
    WriteBytes(&value, 4);
}

int64_t TXEndianStream::ReadLong() {
    int64_t value;
    ReadBytes(&value, 8);
    Swap8(&value);
    return value;
}

void TXEndianStream::WriteLong(int64_t value) {
    Swap8(&value);
    WriteBytes(&value, 8);
}

float TXEndianStream::ReadFloat() {
    float value;
    ReadBytes(&value, 4);
    Swap4(&value);
    return value;
}

void TXEndianStream::WriteFloat(float value) {
    Swap4(&value);
    WriteBytes(&value, 4);
}

double TXEndianStream::ReadDouble() {
    double value;
    ReadBytes(&value, 8);
    Swap8(&value);
    return value;
}

void TXEndianStream::WriteDouble(double value) {
    Swap8(&value);
    WriteBytes(&value, 8);
}
