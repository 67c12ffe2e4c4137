#pragma once

// A text codec over another stream: texts go out and come in as Latin-1,
// UTF-8 or UTF-16 in either byte order. Raw bytes written to it come out as
// a hexadecimal dump, 32 bytes to a line; the exact-length and typed
// operations go to the wrapped stream unencoded.

#include "io/stream_wrapper.h"

#include <cstdint>

class TTextStream : public TStreamWrapper {
public:
    enum TEncoding : int32_t { LATIN1 = 1, UTF8 = 2, UTF16BE = 3, UTF16LE = 4 };

    TTextStream(std::shared_ptr<TStream> stream, TEncoding encoding);

    TEncoding Encoding() const { return _encoding; }

    bool Eof() override;
    // Raw bytes pass through undecoded.
    int32_t Read(void* buffer, int32_t count) override;
    // Each byte as two upper-case hexadecimal digits; CR LF after every 32.
    int32_t Write(const void* buffer, int32_t count) override;

    // Characters up to LF or NUL (consumed, not stored), every CR dropped;
    // what there is when the data runs out.
    Text ReadLine() override;
    // Closes a pending hexadecimal line first; ends the text with CR LF.
    void WriteLine(const Text& text) override;
    // `count` code units, fewer when the data runs out (one more when the
    // last character read is a surrogate pair).
    Text ReadString(int32_t count) override;
    void WriteString(const Text& text) override;

    // One code unit; surrogate halves are encoded one by one.
    void WriteChar(char16_t unit);

protected:
    bool _OwnsPendingBytes() const override { return _unread >= 0; }

private:
    // Appends the next character (one code unit, or a surrogate pair for a
    // four-byte UTF-8 sequence); false at the end of the data.
    bool _ReadChar(Text& out);
    bool _ReadRawByte(uint8_t& byte);
    void _WriteRawByte(int32_t byte);
    void _EndHexLine();

    TEncoding _encoding;
    int32_t _bufcount = 0; // bytes on the open hexadecimal line
    // A byte that ended a malformed UTF-8 sequence: it belongs to the next
    // character (often a line end), so it is kept rather than lost.
    int32_t _unread = -1;
};
