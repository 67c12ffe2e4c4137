#include "util/text.h"

#include "util/c_decimal.h"
#include "util/lower_case_table.h"

#include <algorithm>
#include <string>
#include <string_view>

Text Concat(const Text& a, const Text& b) {
    return a + b;
}

int Compare(const Text& a, const Text& b) {
    const std::size_t shorter = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < shorter; ++i) {
        if (a[i] != b[i]) {
            return static_cast<int>(a[i]) - static_cast<int>(b[i]);
        }
    }
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

Text IntToText(int32_t value) {
    const std::string digits = std::to_string(value);
    return Text(digits.begin(), digits.end());
}

namespace {
bool IsWhiteSpace(char16_t unit) {
    return unit == u' ' || (unit >= u'\t' && unit <= u'\r');
}

// The value of `unit` as a digit of `base`, or -1 when it is none.
int DigitValue(char16_t unit, int base) {
    int value = -1;
    if (unit >= u'0' && unit <= u'9') {
        value = unit - u'0';
    } else if (unit >= u'a' && unit <= u'f') {
        value = unit - u'a' + 10;
    } else if (unit >= u'A' && unit <= u'F') {
        value = unit - u'A' + 10;
    }
    return value < base ? value : -1;
}
} // namespace

int32_t TextToInt(const Text& text) {
    std::size_t i = 0;
    while (i < text.size() && IsWhiteSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == u'%') {
        base = 2;
        ++i;
    } else if (i < text.size() && text[i] == u'$') {
        base = 16;
        ++i;
    }
    // Unsigned arithmetic gives the 32-bit wrap-around without overflow.
    uint32_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0) {
            break;
        }
        value = value * static_cast<uint32_t>(base) + static_cast<uint32_t>(digit);
    }
    if (negative) {
        value = 0u - value;
    }
    return static_cast<int32_t>(value);
}

namespace {
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipDigits(std::string_view s, std::size_t at) {
    while (at < s.size() && IsDigit(s[at])) {
        ++at;
    }
    return at;
}

// The length of the C decimal floating-point literal that `s` starts with:
// an optional sign, digits with at most one point among them (at least one
// digit in all), then an exponent only when it has digits of its own. Hex
// forms, infinities and NaNs are not decimal literals and read as nothing.
std::size_t DecimalLiteralLength(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    std::size_t end = SkipDigits(s, i);
    bool anyDigit = end > i;
    if (end < s.size() && s[end] == '.') {
        const std::size_t fractionEnd = SkipDigits(s, end + 1);
        anyDigit = anyDigit || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!anyDigit) {
        return 0;
    }
    if (end < s.size() && (s[end] == 'e' || s[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < s.size() && (s[exponent] == '+' || s[exponent] == '-')) {
            ++exponent;
        }
        const std::size_t exponentEnd = SkipDigits(s, exponent);
        if (exponentEnd > exponent) {
            end = exponentEnd;
        }
    }
    return end;
}
} // namespace

float TextToFloat(const Text& text) {
    std::string narrow(text.size(), '\0');
    std::transform(text.begin(), text.end(), narrow.begin(),
                   [](char16_t unit) { return static_cast<char>(unit & 0xFF); });
    std::size_t start = 0;
    while (start < narrow.size() && IsWhiteSpace(static_cast<unsigned char>(narrow[start]))) {
        ++start;
    }
    const std::string literal =
        narrow.substr(start, DecimalLiteralLength(std::string_view(narrow).substr(start)));
    if (literal.empty()) {
        return 0.0f;
    }
    return static_cast<float>(ParseCDecimal(literal));
}

int FindText(const Text& text, const Text& sub, int start) {
    const std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start - 1);
    if (from > text.size()) {
        return 0;
    }
    const std::size_t found = text.find(sub, from);
    return found == Text::npos ? 0 : static_cast<int>(found) + 1;
}

Text LeftText(const Text& text, int count) {
    if (count <= 0) {
        return Text();
    }
    return text.substr(0, static_cast<std::size_t>(count));
}

Text RightText(const Text& text, int count) {
    if (count <= 0) {
        return Text();
    }
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(count));
    return text.substr(text.size() - n);
}

char16_t LowerCodeUnit(char16_t unit) {
    if (unit >= u'A' && unit <= u'Z') {
        return static_cast<char16_t>(unit + (u'a' - u'A'));
    }
    if (unit < 0xC0) {
        return unit;
    }
    const auto table = LowerCaseTable();
    const auto found =
        std::lower_bound(table.begin(), table.end(), unit,
                         [](const LowerCasePair& pair, char16_t key) { return pair.upper < key; });
    return found != table.end() && found->upper == unit ? found->lower : unit;
}

Text LowerText(const Text& text) {
    Text lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), LowerCodeUnit);
    return lower;
}
