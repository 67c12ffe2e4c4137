#include "system/sdl/sdl_key_codes.h"

#include <array>

namespace {

constexpr std::array<int32_t, SDL_NUM_SCANCODES> BuildTable() {
    std::array<int32_t, SDL_NUM_SCANCODES> table{};

    // Letters and digits: SDL orders them A to Z and 1 to 9, 0; the key codes
    // are their upper-case ASCII values.
    for (int i = 0; i < 26; ++i) {
        table[SDL_SCANCODE_A + i] = 'A' + i;
    }
    for (int i = 0; i < 9; ++i) {
        table[SDL_SCANCODE_1 + i] = '1' + i;
    }
    table[SDL_SCANCODE_0] = '0';

    // F1 to F12, then F13 to F24, which SDL numbers separately.
    for (int i = 0; i < 12; ++i) {
        table[SDL_SCANCODE_F1 + i] = 0x70 + i;
        table[SDL_SCANCODE_F13 + i] = 0x7C + i;
    }

    table[SDL_SCANCODE_RETURN] = 0x0D;
    table[SDL_SCANCODE_ESCAPE] = 0x1B;
    table[SDL_SCANCODE_BACKSPACE] = 0x08;
    table[SDL_SCANCODE_TAB] = 0x09;
    table[SDL_SCANCODE_SPACE] = 0x20;

    // Punctuation, by its place on a US keyboard.
    table[SDL_SCANCODE_MINUS] = 0xBD;
    table[SDL_SCANCODE_EQUALS] = 0xBB;
    table[SDL_SCANCODE_LEFTBRACKET] = 0xDB;
    table[SDL_SCANCODE_RIGHTBRACKET] = 0xDD;
    table[SDL_SCANCODE_BACKSLASH] = 0xDC;
    table[SDL_SCANCODE_NONUSHASH] = 0xDC; // where a US keyboard has the backslash
    table[SDL_SCANCODE_SEMICOLON] = 0xBA;
    table[SDL_SCANCODE_APOSTROPHE] = 0xDE;
    table[SDL_SCANCODE_GRAVE] = 0xC0;
    table[SDL_SCANCODE_COMMA] = 0xBC;
    table[SDL_SCANCODE_PERIOD] = 0xBE;
    table[SDL_SCANCODE_SLASH] = 0xBF;
    table[SDL_SCANCODE_NONUSBACKSLASH] = 0xE2;

    // Lock keys and the system keys above the editing block.
    table[SDL_SCANCODE_CAPSLOCK] = 0x14;
    table[SDL_SCANCODE_NUMLOCKCLEAR] = 0x90;
    table[SDL_SCANCODE_SCROLLLOCK] = 0x91;
    table[SDL_SCANCODE_PRINTSCREEN] = 0x2C;
    table[SDL_SCANCODE_PAUSE] = 0x13;

    // Editing keys and arrows.
    table[SDL_SCANCODE_INSERT] = 0x2D;
    table[SDL_SCANCODE_DELETE] = 0x2E;
    table[SDL_SCANCODE_HOME] = 0x24;
    table[SDL_SCANCODE_END] = 0x23;
    table[SDL_SCANCODE_PAGEUP] = 0x21;
    table[SDL_SCANCODE_PAGEDOWN] = 0x22;
    table[SDL_SCANCODE_LEFT] = 0x25;
    table[SDL_SCANCODE_UP] = 0x26;
    table[SDL_SCANCODE_RIGHT] = 0x27;
    table[SDL_SCANCODE_DOWN] = 0x28;

    // Keypad, as with Num Lock on (the navigation codes with it off are
    // decided per event); its Enter is the main Return.
    for (int i = 0; i < 9; ++i) {
        table[SDL_SCANCODE_KP_1 + i] = 0x61 + i;
    }
    table[SDL_SCANCODE_KP_0] = 0x60;
    table[SDL_SCANCODE_KP_MULTIPLY] = 0x6A;
    table[SDL_SCANCODE_KP_PLUS] = 0x6B;
    table[SDL_SCANCODE_SEPARATOR] = 0x6C;
    table[SDL_SCANCODE_KP_MINUS] = 0x6D;
    table[SDL_SCANCODE_KP_PERIOD] = 0x6E;
    table[SDL_SCANCODE_KP_DIVIDE] = 0x6F;
    table[SDL_SCANCODE_KP_ENTER] = 0x0D;

    // Modifiers, always by side; the generic 16, 17 and 18 never appear.
    table[SDL_SCANCODE_LSHIFT] = 0xA0;
    table[SDL_SCANCODE_RSHIFT] = 0xA1;
    table[SDL_SCANCODE_LCTRL] = 0xA2;
    table[SDL_SCANCODE_RCTRL] = 0xA3;
    table[SDL_SCANCODE_LALT] = 0xA4;
    table[SDL_SCANCODE_RALT] = 0xA5;
    table[SDL_SCANCODE_LGUI] = 0x5B;
    table[SDL_SCANCODE_RGUI] = 0x5C;
    table[SDL_SCANCODE_APPLICATION] = 0x5D;

    // Keys of extended keyboards.
    table[SDL_SCANCODE_CLEAR] = 0x0C;
    table[SDL_SCANCODE_SELECT] = 0x29;
    table[SDL_SCANCODE_EXECUTE] = 0x2B;
    table[SDL_SCANCODE_HELP] = 0x2F;
    table[SDL_SCANCODE_SLEEP] = 0x5F;
    table[SDL_SCANCODE_AC_BACK] = 0xA6;
    table[SDL_SCANCODE_AC_FORWARD] = 0xA7;
    table[SDL_SCANCODE_AC_REFRESH] = 0xA8;
    table[SDL_SCANCODE_AC_STOP] = 0xA9;
    table[SDL_SCANCODE_AC_SEARCH] = 0xAA;
    table[SDL_SCANCODE_AC_BOOKMARKS] = 0xAB;
    table[SDL_SCANCODE_AC_HOME] = 0xAC;
    table[SDL_SCANCODE_MUTE] = 0xAD;
    table[SDL_SCANCODE_VOLUMEDOWN] = 0xAE;
    table[SDL_SCANCODE_VOLUMEUP] = 0xAF;
    table[SDL_SCANCODE_AUDIONEXT] = 0xB0;
    table[SDL_SCANCODE_AUDIOPREV] = 0xB1;
    table[SDL_SCANCODE_AUDIOSTOP] = 0xB2;
    table[SDL_SCANCODE_AUDIOPLAY] = 0xB3;
    table[SDL_SCANCODE_MAIL] = 0xB4;
    table[SDL_SCANCODE_MEDIASELECT] = 0xB5;
    return table;
}

constexpr auto KeyTable = BuildTable();

bool IsLetterPosition(SDL_Scancode scancode) {
    return scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z;
}

template <typename Key>
struct TKeyCode {
    Key key;
    int32_t code;
};

template <typename Key, size_t N>
constexpr int32_t Lookup(const std::array<TKeyCode<Key>, N>& table, Key key) {
    for (const auto& entry : table) {
        if (entry.key == key) {
            return entry.code;
        }
    }
    return 0;
}

// The codes of the US keys that type these symbols unshifted.
constexpr std::array<TKeyCode<SDL_Keycode>, 11> PunctuationKeys{{
    {SDLK_SEMICOLON, 0xBA},
    {SDLK_EQUALS, 0xBB},
    {SDLK_COMMA, 0xBC},
    {SDLK_MINUS, 0xBD},
    {SDLK_PERIOD, 0xBE},
    {SDLK_SLASH, 0xBF},
    {SDLK_BACKQUOTE, 0xC0},
    {SDLK_LEFTBRACKET, 0xDB},
    {SDLK_BACKSLASH, 0xDC},
    {SDLK_RIGHTBRACKET, 0xDD},
    {SDLK_QUOTE, 0xDE},
}};

// What the keypad's digit and point keys give with Num Lock off.
constexpr std::array<TKeyCode<SDL_Scancode>, 11> KeypadNavigationKeys{{
    {SDL_SCANCODE_KP_0, 0x2D},      // Insert
    {SDL_SCANCODE_KP_1, 0x23},      // End
    {SDL_SCANCODE_KP_2, 0x28},      // Down
    {SDL_SCANCODE_KP_3, 0x22},      // Page Down
    {SDL_SCANCODE_KP_4, 0x25},      // Left
    {SDL_SCANCODE_KP_5, 0x0C},      // Clear
    {SDL_SCANCODE_KP_6, 0x27},      // Right
    {SDL_SCANCODE_KP_7, 0x24},      // Home
    {SDL_SCANCODE_KP_8, 0x26},      // Up
    {SDL_SCANCODE_KP_9, 0x21},      // Page Up
    {SDL_SCANCODE_KP_PERIOD, 0x2E}, // Delete
}};

} // namespace

int32_t VirtualKeyForScancode(SDL_Scancode scancode) {
    if (scancode < 0 || scancode >= SDL_NUM_SCANCODES) {
        return 0;
    }
    return KeyTable[scancode];
}

int32_t VirtualKeyForKeysym(const SDL_Keysym& keysym) {
    if (keysym.sym >= SDLK_a && keysym.sym <= SDLK_z) {
        return 'A' + (keysym.sym - SDLK_a);
    }
    if (IsLetterPosition(keysym.scancode)) {
        if (const int32_t punctuation = Lookup(PunctuationKeys, keysym.sym)) {
            return punctuation;
        }
    }
    if ((keysym.mod & KMOD_NUM) == 0) {
        if (const int32_t navigation = Lookup(KeypadNavigationKeys, keysym.scancode)) {
            return navigation;
        }
    }
    return VirtualKeyForScancode(keysym.scancode);
}
