#pragma once

// Streams that sit on another stream.

#include "io/stream.h"

#include <memory>

// Forwards the raw device operations to the wrapped stream; the exact-length,
// typed and line operations of TStream are built on them, so a subclass that
// changes Read or Write (a codec, a byte-order view) changes them all.
// Without a wrapped stream it behaves like a closed, empty stream.
class TStreamWrapper : public TStream {
public:
    explicit TStreamWrapper(std::shared_ptr<TStream> stream);

    bool Eof() override;
    int64_t Pos() override;
    int64_t Size() override;
    int64_t Seek(int64_t pos) override;
    int32_t Flush() override;
    int32_t Close() override;
    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;

    void SetStream(std::shared_ptr<TStream> stream);

protected:
    std::shared_ptr<TStream> _stream;
};

// What opening an existing stream gives: the same stream under a second
// owner. Every operation goes to the wrapped stream (so a byte-order view or
// a text codec keeps its behaviour), but Close only detaches, leaving the
// wrapped stream open for its first owner.
class TStreamStream : public TStreamWrapper {
public:
    using TStreamWrapper::TStreamWrapper;

    int32_t Close() override;

    int32_t ReadBytes(void* buffer, int32_t count) override;
    int32_t WriteBytes(const void* buffer, int32_t count) override;
    int32_t SkipBytes(int32_t count) override;
    int32_t ReadByte() override;
    void WriteByte(int32_t value) override;
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
    Text ReadLine() override;
    void WriteLine(const Text& text) override;
    Text ReadString(int32_t count) override;
    void WriteString(const Text& text) override;
};
