#include "io/text_stream.h"

#include "io/stream_exception.h"

#include <utility>

namespace {

constexpr char16_t ReplacementCharacter = 0xFFFD;

} // namespace

TTextStream::TTextStream(std::shared_ptr<TStream> stream, TEncoding encoding)
    : TStreamWrapper(std::move(stream)), _encoding(encoding) {}

bool TTextStream::Eof() {
    return _unread < 0 && TStreamWrapper::Eof();
}

int32_t TTextStream::Read(void* buffer, int32_t count) {
    if (_unread >= 0 && count > 0) {
        *static_cast<uint8_t*>(buffer) = static_cast<uint8_t>(_unread);
        _unread = -1;
        return 1;
    }
    return TStreamWrapper::Read(buffer, count);
}

int32_t TTextStream::Write(const void* buffer, int32_t count) {
    static constexpr char16_t Digits[] = u"0123456789ABCDEF";
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    for (int32_t i = 0; i < count; ++i) {
        WriteChar(Digits[bytes[i] >> 4]);
        WriteChar(Digits[bytes[i] & 15]);
        if (++_bufcount == 32) {
            _EndHexLine();
        }
    }
    return count;
}

void TTextStream::_EndHexLine() {
    if (_bufcount > 0) {
        WriteChar(u'\r');
        WriteChar(u'\n');
        _bufcount = 0;
    }
}

Text TTextStream::ReadLine() {
    Text line;
    while (_ReadChar(line)) {
        const char16_t last = line.back();
        if (last == u'\n' || last == u'\0') {
            line.pop_back();
            break;
        }
        if (last == u'\r') {
            line.pop_back();
        }
    }
    return line;
}

void TTextStream::WriteLine(const Text& text) {
    _EndHexLine();
    WriteString(text);
    WriteChar(u'\r');
    WriteChar(u'\n');
}

Text TTextStream::ReadString(int32_t count) {
    Text text;
    while (static_cast<int32_t>(text.size()) < count && _ReadChar(text)) {
    }
    return text;
}

void TTextStream::WriteString(const Text& text) {
    for (const char16_t unit : text) {
        WriteChar(unit);
    }
}

void TTextStream::WriteChar(char16_t unit) {
    switch (_encoding) {
    case LATIN1:
        _WriteRawByte(unit);
        break;
    case UTF8:
        if (unit < 0x80) {
            _WriteRawByte(unit);
        } else if (unit < 0x800) {
            _WriteRawByte(0xC0 | (unit >> 6));
            _WriteRawByte(0x80 | (unit & 0x3F));
        } else {
            _WriteRawByte(0xE0 | (unit >> 12));
            _WriteRawByte(0x80 | ((unit >> 6) & 0x3F));
            _WriteRawByte(0x80 | (unit & 0x3F));
        }
        break;
    case UTF16BE:
        _WriteRawByte(unit >> 8);
        _WriteRawByte(unit);
        break;
    case UTF16LE:
        _WriteRawByte(unit);
        _WriteRawByte(unit >> 8);
        break;
    }
}

bool TTextStream::_ReadRawByte(uint8_t& byte) {
    return Read(&byte, 1) == 1;
}

void TTextStream::_WriteRawByte(int32_t byte) {
    if (!_stream) {
        throw TStreamWriteException();
    }
    _stream->WriteByte(byte);
}

bool TTextStream::_ReadChar(Text& out) {
    uint8_t first = 0;
    if (!_ReadRawByte(first)) {
        return false;
    }
    if (_encoding == LATIN1 || (_encoding == UTF8 && first < 0x80)) {
        out.push_back(first);
        return true;
    }
    if (_encoding == UTF16BE || _encoding == UTF16LE) {
        uint8_t second = 0;
        if (!_ReadRawByte(second)) {
            out.push_back(ReplacementCharacter); // a dangling odd byte
        } else if (_encoding == UTF16BE) {
            out.push_back(static_cast<char16_t>(first << 8 | second));
        } else {
            out.push_back(static_cast<char16_t>(second << 8 | first));
        }
        return true;
    }

    int continuations = 0;
    uint32_t code = 0;
    if ((first & 0xE0) == 0xC0) {
        continuations = 1;
        code = first & 0x1F;
    } else if ((first & 0xF0) == 0xE0) {
        continuations = 2;
        code = first & 0x0F;
    } else if ((first & 0xF8) == 0xF0) {
        continuations = 3;
        code = first & 0x07;
    } else {
        out.push_back(ReplacementCharacter);
        return true;
    }
    for (int i = 0; i < continuations; ++i) {
        uint8_t next = 0;
        if (!_ReadRawByte(next)) {
            out.push_back(ReplacementCharacter);
            return true;
        }
        if ((next & 0xC0) != 0x80) {
            _unread = next;
            out.push_back(ReplacementCharacter);
            return true;
        }
        code = code << 6 | (next & 0x3F);
    }
    if (code < 0x10000) {
        // Three-byte surrogate halves come back as the halves they were.
        out.push_back(static_cast<char16_t>(code));
    } else if (code <= 0x10FFFF) {
        code -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 | (code >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 | (code & 0x3FF)));
    } else {
        out.push_back(ReplacementCharacter);
    }
    return true;
}
