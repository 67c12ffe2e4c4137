#pragma once

// A view of a stream in the opposite byte order: every typed read and write
// is byte-reversed, everything else passes through. Big-endian file formats
// are read through it.

#include "io/stream_wrapper.h"

class TXEndianStream : public TStreamWrapper {
public:
    using TStreamWrapper::TStreamWrapper;

    // Reverse 2, 4 or 8 bytes in place.
    static void Swap2(void* bytes);
    static void Swap4(void* bytes);
    static void Swap8(void* bytes);

    int32_t ReadShort() override;
    void WriteShort(int32_t value) override;
    int32_t ReadInt() override;
    void WriteInt(int32_t value) override;
    int64_t ReadLong() override;
    void WriteLong(int64_t value) override;
    float ReadFloat() override;
    void WriteFloat(float value) override;
    double ReadDouble() override;
    void WriteDouble(double value) override;
};
