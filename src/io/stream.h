#pragma once

// The byte stream under every loader and text reader. TIO is the raw device
// contract (position, size, raw read and write); TStream adds exact-length
// and typed access and line reading, all built on the raw Read and Write, so
// a new kind of stream only has to provide those.

#include "util/text.h"

#include <cstdint>

class TIO {
public:
    virtual ~TIO() = default;

    virtual bool Eof();
    // -1 means the stream cannot seek (a pipe, the console).
    virtual int64_t Pos();
    virtual int64_t Size();
    // Returns the new position, or -1 when the stream cannot seek.
    virtual int64_t Seek(int64_t pos);
    virtual int32_t Flush();
    virtual int32_t Close();
    // May return fewer bytes than asked; 0 means no more data. The base
    // versions raise a runtime error: the stream has no such direction.
    virtual int32_t Read(void* buffer, int32_t count);
    virtual int32_t Write(const void* buffer, int32_t count);
};

class TStream : public TIO {
public:
    // Exact-length transfers: they return `count` or raise
    // TStreamReadException / TStreamWriteException.
    virtual int32_t ReadBytes(void* buffer, int32_t count);
    virtual int32_t WriteBytes(const void* buffer, int32_t count);
    virtual int32_t SkipBytes(int32_t count);

    // Typed access in the machine's byte order (little-endian).
    virtual int32_t ReadByte(); // 0..255
    virtual void WriteByte(int32_t value);
    virtual int32_t ReadShort(); // 0..65535
    virtual void WriteShort(int32_t value);
    virtual int32_t ReadInt();
    virtual void WriteInt(int32_t value);
    virtual int64_t ReadLong();
    virtual void WriteLong(int64_t value);
    virtual float ReadFloat();
    virtual void WriteFloat(float value);
    virtual double ReadDouble();
    virtual void WriteDouble(double value);

    // One line without its end: stops at LF or NUL (consumed, not stored),
    // drops every CR, and returns what there is when the data runs out.
    virtual Text ReadLine();
    // The text as bytes (see WriteString), then CR LF.
    virtual void WriteLine(const Text& text);
    // `count` bytes, each becoming one code unit of the same value.
    virtual Text ReadString(int32_t count);
    // The low byte of each code unit.
    virtual void WriteString(const Text& text);
};
