#include "util/utf8.h"

namespace {
constexpr char16_t ReplacementCharacter = 0xFFFD;

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void AppendUtf16(Text& out, uint32_t code) {
    if (code < 0x10000) {
        out += static_cast<char16_t>(code);
    } else {
        code -= 0x10000;
        out += static_cast<char16_t>(0xD800 | (code >> 10));
        out += static_cast<char16_t>(0xDC00 | (code & 0x3FF));
    }
}

// Length of the sequence a lead byte starts, or 0 when it cannot start one.
int SequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}
} // namespace

std::string TextToUtf8(const Text& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            const uint32_t code = 0x10000 + ((unit - 0xD800u) << 10) + (text[i + 1] - 0xDC00u);
            AppendUtf8(out, code);
            ++i;
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

Text Utf8ToText(std::string_view utf8) {
    Text out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = SequenceLength(lead);
        if (length == 1) {
            out += static_cast<char16_t>(lead);
            ++i;
            continue;
        }
        uint32_t code = length == 2   ? (lead & 0x1Fu)
                        : length == 3 ? (lead & 0x0Fu)
                                      : (lead & 0x07u);
        int taken = 1;
        while (length > 0 && taken < length && i + taken < utf8.size()) {
            const auto next = static_cast<unsigned char>(utf8[i + taken]);
            if ((next & 0xC0) != 0x80) {
                break;
            }
            code = (code << 6) | (next & 0x3Fu);
            ++taken;
        }
        // Overlong forms and values beyond U+10FFFF are as malformed as a
        // truncated sequence; encoded surrogates are kept so that a text
        // written out by TextToUtf8 comes back unchanged.
        const bool complete = length > 0 && taken == length;
        const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
        if (complete && !overlong && code <= 0x10FFFF) {
            AppendUtf16(out, code);
        } else {
            out += ReplacementCharacter;
        }
        i += static_cast<std::size_t>(taken);
    }
    return out;
}
