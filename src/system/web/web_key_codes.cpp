#include "system/web/web_key_codes.h"

#include <array>

namespace {

template <typename Name>
struct TNamedKey {
    Name name;
    int32_t code;
};

using TDomKey = TNamedKey<std::string_view>;

// Every position with a code besides the letters, digits and function keys.
constexpr std::array<TDomKey, 60> PositionKeys{{
    {"Enter", 0x0D},
    {"Escape", 0x1B},
    {"Backspace", 0x08},
    {"Tab", 0x09},
    {"Space", 0x20},
    {"Minus", 0xBD},
    {"Equal", 0xBB},
    {"BracketLeft", 0xDB},
    {"BracketRight", 0xDD},
    {"Backslash", 0xDC},
    {"Semicolon", 0xBA},
    {"Quote", 0xDE},
    {"Backquote", 0xC0},
    {"Comma", 0xBC},
    {"Period", 0xBE},
    {"Slash", 0xBF},
    {"IntlBackslash", 0xE2},
    {"CapsLock", 0x14},
    {"NumLock", 0x90},
    {"ScrollLock", 0x91},
    {"PrintScreen", 0x2C},
    {"Pause", 0x13},
    {"Insert", 0x2D},
    {"Delete", 0x2E},
    {"Home", 0x24},
    {"End", 0x23},
    {"PageUp", 0x21},
    {"PageDown", 0x22},
    {"ArrowLeft", 0x25},
    {"ArrowUp", 0x26},
    {"ArrowRight", 0x27},
    {"ArrowDown", 0x28},
    {"NumpadMultiply", 0x6A},
    {"NumpadAdd", 0x6B},
    {"NumpadComma", 0x6C},
    {"NumpadSubtract", 0x6D},
    {"NumpadDecimal", 0x6E},
    {"NumpadDivide", 0x6F},
    {"NumpadEnter", 0x0D},
    {"ShiftLeft", 0xA0},
    {"ShiftRight", 0xA1},
    {"ControlLeft", 0xA2},
    {"ControlRight", 0xA3},
    {"AltLeft", 0xA4},
    {"AltRight", 0xA5},
    {"MetaLeft", 0x5B},
    {"MetaRight", 0x5C},
    {"ContextMenu", 0x5D},
    {"AudioVolumeMute", 0xAD},
    {"AudioVolumeDown", 0xAE},
    {"AudioVolumeUp", 0xAF},
    {"MediaTrackNext", 0xB0},
    {"MediaTrackPrevious", 0xB1},
    {"MediaStop", 0xB2},
    {"MediaPlayPause", 0xB3},
    {"BrowserBack", 0xA6},
    {"BrowserForward", 0xA7},
    {"BrowserRefresh", 0xA8},
    {"BrowserHome", 0xAC},
    {"Help", 0x2F},
}};

// The codes of the US keys that type these symbols unshifted.
constexpr std::array<TDomKey, 11> PunctuationKeys{{
    {";", 0xBA},
    {"=", 0xBB},
    {",", 0xBC},
    {"-", 0xBD},
    {".", 0xBE},
    {"/", 0xBF},
    {"`", 0xC0},
    {"[", 0xDB},
    {"\\", 0xDC},
    {"]", 0xDD},
    {"'", 0xDE},
}};

// What the keypad's digit and point keys type with Num Lock off.
constexpr std::array<TDomKey, 11> KeypadNavigationKeys{{
    {"Insert", 0x2D},
    {"End", 0x23},
    {"ArrowDown", 0x28},
    {"PageDown", 0x22},
    {"ArrowLeft", 0x25},
    {"Clear", 0x0C},
    {"ArrowRight", 0x27},
    {"Home", 0x24},
    {"ArrowUp", 0x26},
    {"PageUp", 0x21},
    {"Delete", 0x2E},
}};

int32_t Lookup(const auto& table, std::string_view name) {
    for (const auto& entry : table) {
        if (entry.name == name) {
            return entry.code;
        }
    }
    return 0;
}

// The number after a prefix, when the name is the prefix and 1 or 2 digits.
int32_t NumberAfter(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix) || name.size() == prefix.size() ||
        name.size() > prefix.size() + 2) {
        return -1;
    }
    int32_t number = 0;
    for (const char digit : name.substr(prefix.size())) {
        if (digit < '0' || digit > '9') {
            return -1;
        }
        number = number * 10 + (digit - '0');
    }
    return number;
}

bool IsLetterPosition(std::string_view code) {
    return code.size() == 4 && code.starts_with("Key") && code[3] >= 'A' && code[3] <= 'Z';
}

bool IsKeypadDigitOrPoint(std::string_view code) {
    return code == "NumpadDecimal" || (NumberAfter(code, "Numpad") >= 0 && code.size() == 7);
}

} // namespace

int32_t VirtualKeyForDomCode(std::string_view code) {
    if (IsLetterPosition(code)) {
        return code[3];
    }
    if (const int32_t digit = NumberAfter(code, "Digit"); digit >= 0 && digit <= 9) {
        return '0' + digit;
    }
    if (const int32_t digit = NumberAfter(code, "Numpad"); digit >= 0 && digit <= 9) {
        return 0x60 + digit;
    }
    if (const int32_t function = NumberAfter(code, "F"); function >= 1 && function <= 24) {
        return 0x70 + function - 1;
    }
    return Lookup(PositionKeys, code);
}

int32_t VirtualKeyForDomKey(std::string_view code, std::string_view key) {
    if (key.size() == 1 && ((key[0] >= 'a' && key[0] <= 'z') || (key[0] >= 'A' && key[0] <= 'Z'))) {
        return key[0] & ~0x20; // upper case
    }
    if (IsLetterPosition(code)) {
        if (const int32_t punctuation = Lookup(PunctuationKeys, key)) {
            return punctuation;
        }
    }
    if (IsKeypadDigitOrPoint(code)) {
        if (const int32_t navigation = Lookup(KeypadNavigationKeys, key)) {
            return navigation;
        }
    }
    return VirtualKeyForDomCode(code);
}
