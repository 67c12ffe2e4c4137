#include "system/sdl/sdl_key_codes.h"

#include <gtest/gtest.h>

TEST(SDLKeyCodesTest, KeysTheGameReadsHaveTheirWindowsCodes) {
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_ESCAPE), 27);
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_SPACE), 32);
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_LEFT), 37);
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_UP), 38);
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_RIGHT), 39);
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_DOWN), 40);
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_C), 67);
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_M), 77);
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_LCTRL), 162);
}

TEST(SDLKeyCodesTest, ModifiersAreToldApartBySide) {
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_LSHIFT), 160);
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_RSHIFT), 161);
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_LCTRL), 162);
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_RCTRL), 163);
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_LALT), 164);
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_RALT), 165);
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_LGUI), 91);
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_RGUI), 92);

    // No key at all gives the generic Shift, Control or Alt, and every code
    // fits the input layer's 256-entry tables.
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        const int32_t key = VirtualKeyForScancode(static_cast<SDL_Scancode>(scancode));
        EXPECT_TRUE(key != 16 && key != 17 && key != 18) << "scancode " << scancode;
        EXPECT_TRUE(key >= 0 && key <= 255) << "scancode " << scancode;
    }
    EXPECT_EQ(VirtualKeyForScancode(static_cast<SDL_Scancode>(-1)), 0);
    EXPECT_EQ(VirtualKeyForScancode(SDL_NUM_SCANCODES), 0);
}

TEST(SDLKeyCodesTest, EveryGroupOfTheKeyboardIsMapped) {
    // The ends of each run that the table builds in a loop, and one key of
    // every other group.
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_A), 'A');
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_Z), 'Z');
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_1), '1');
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_0), '0');
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_F1), 112);
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_F12), 123);
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_F24), 135);
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_KP_0), 96);
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_KP_9), 105);
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_KP_ENTER), 13);
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_BACKSPACE), 8);
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_CAPSLOCK), 20);
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_PAGEDOWN), 34);
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_SEMICOLON), 186);
    EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_APOSTROPHE), 222);
}
