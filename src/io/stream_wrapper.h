#pragma once

// Streams that sit on another stream.

#include "io/stream.h"

#include <memory>

// Forwards every operation to the wrapped stream, so that a wrapper over a
// byte-order view or a text codec keeps that stream's typed, exact-length
// and line behaviour instead of rebuilding it from raw bytes. A subclass
// changes what it overrides (a codec its texts, a byte-order view its typed
// values) and forwards the rest.
//
// Without a wrapped stream it behaves like a closed, empty stream: reads run
// out of data and writes are refused.
class TStreamWrapper : public TStream {
public:
    explicit TStreamWrapper(std::shared_ptr<TStream> stream);

    TStreamWrapper(const TStreamWrapper&) = delete;
    TStreamWrapper& operator=(const TStreamWrapper&) = delete;

    bool Eof() override;
    int64_t Pos() override;
    int64_t Size() override;
    int64_t Seek(int64_t pos) override;
    int32_t Flush() override;
    int32_t Close() override;
    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;

    // The rest is forwarded whole.
    int32_t ReadBytes(void* buffer, int32_t count) override {
        return _Target().ReadBytes(buffer, count);
    }
    int32_t WriteBytes(const void* buffer, int32_t count) override {
        return _Target().WriteBytes(buffer, count);
    }
    int32_t SkipBytes(int32_t count) override { return _Target().SkipBytes(count); }
    int32_t ReadByte() override { return _Target().ReadByte(); }
    void WriteByte(int32_t value) override { _Target().WriteByte(value); }
    int32_t ReadShort() override { return _Target().ReadShort(); }
    void WriteShort(int32_t value) override { _Target().WriteShort(value); }
    int32_t ReadInt() override { return _Target().ReadInt(); }
    void WriteInt(int32_t value) override { _Target().WriteInt(value); }
    int64_t ReadLong() override { return _Target().ReadLong(); }
    void WriteLong(int64_t value) override { _Target().WriteLong(value); }
    float ReadFloat() override { return _Target().ReadFloat(); }
    void WriteFloat(float value) override { _Target().WriteFloat(value); }
    double ReadDouble() override { return _Target().ReadDouble(); }
    void WriteDouble(double value) override { _Target().WriteDouble(value); }
    Text ReadLine() override { return _Target().ReadLine(); }
    void WriteLine(const Text& text) override { _Target().WriteLine(text); }
    Text ReadString(int32_t count) override { return _Target().ReadString(count); }
    void WriteString(const Text& text) override { _Target().WriteString(text); }

    void SetStream(std::shared_ptr<TStream> stream);

protected:
    // Where every operation above Read and Write goes: the wrapped stream,
    // or, without one or when OwnsPendingBytes, this wrapper's own Read and
    // Write under the plain TStream rules.
    TStream& _Target();
    // True while the wrapper holds bytes of its own that must be read before
    // the wrapped stream's.
    virtual bool _OwnsPendingBytes() const { return false; }

    std::shared_ptr<TStream> _stream;

private:
    // The plain TStream operations over the wrapper's own Read and Write.
    class TOwnRawOperations final : public TStream {
    public:
        explicit TOwnRawOperations(TStreamWrapper& owner) : _owner(owner) {}
        int32_t Read(void* buffer, int32_t count) override { return _owner.Read(buffer, count); }
        int32_t Write(const void* buffer, int32_t count) override {
            return _owner.Write(buffer, count);
        }

    private:
        TStreamWrapper& _owner;
    };

    TOwnRawOperations _ownRaw{*this};
};

// What opening an existing stream gives: the same stream under a second
// owner. Every operation goes to the wrapped stream, but Close only detaches,
// leaving the wrapped stream open for its first owner.
class TStreamStream : public TStreamWrapper {
public:
    using TStreamWrapper::TStreamWrapper;

    int32_t Close() override;
};
