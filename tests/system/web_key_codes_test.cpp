#include "system/web/web_key_codes.h"

#include <gtest/gtest.h>

TEST(WebKeyCodesTest, KeysTheGameReadsHaveTheirWindowsCodes) {
    EXPECT_EQ(VirtualKeyForDomKey("Escape", "Escape"), 27);
    EXPECT_EQ(VirtualKeyForDomKey("Space", " "), 32);
    EXPECT_EQ(VirtualKeyForDomKey("ArrowLeft", "ArrowLeft"), 37);
    EXPECT_EQ(VirtualKeyForDomKey("ArrowUp", "ArrowUp"), 38);
    EXPECT_EQ(VirtualKeyForDomKey("ArrowRight", "ArrowRight"), 39);
    EXPECT_EQ(VirtualKeyForDomKey("ArrowDown", "ArrowDown"), 40);
    EXPECT_EQ(VirtualKeyForDomKey("KeyC", "c"), 67);
    EXPECT_EQ(VirtualKeyForDomKey("KeyM", "M"), 77);
    EXPECT_EQ(VirtualKeyForDomKey("KeyP", "p"), 80);
    EXPECT_EQ(VirtualKeyForDomKey("Pause", "Pause"), 19);
    EXPECT_EQ(VirtualKeyForDomKey("ControlLeft", "Control"), 162);
    EXPECT_EQ(VirtualKeyForDomKey("F11", "F11"), 122);
}

TEST(WebKeyCodesTest, EveryGroupOfTheKeyboardIsMappedByPosition) {
    EXPECT_EQ(VirtualKeyForDomCode("KeyA"), 'A');
    EXPECT_EQ(VirtualKeyForDomCode("KeyZ"), 'Z');
    EXPECT_EQ(VirtualKeyForDomCode("Digit1"), '1');
    EXPECT_EQ(VirtualKeyForDomCode("Digit0"), '0');
    EXPECT_EQ(VirtualKeyForDomCode("F1"), 112);
    EXPECT_EQ(VirtualKeyForDomCode("F24"), 135);
    EXPECT_EQ(VirtualKeyForDomCode("Numpad0"), 96);
    EXPECT_EQ(VirtualKeyForDomCode("Numpad9"), 105);
    EXPECT_EQ(VirtualKeyForDomCode("NumpadEnter"), 13);
    EXPECT_EQ(VirtualKeyForDomCode("ShiftRight"), 161);
    EXPECT_EQ(VirtualKeyForDomCode("AltRight"), 165);
    EXPECT_EQ(VirtualKeyForDomCode("MetaLeft"), 91);
    EXPECT_EQ(VirtualKeyForDomCode("Semicolon"), 186);
    EXPECT_EQ(VirtualKeyForDomCode("IntlBackslash"), 226);
}

TEST(WebKeyCodesTest, NamesThatAreNoKeyGiveNoCode) {
    for (const char* name : {"", "Key", "KeyAA", "Keya", "Digit", "Digit10", "F0", "F25", "F1x",
                             "Numpad", "Numpad10", "Unidentified", "Fn"}) {
        EXPECT_EQ(VirtualKeyForDomCode(name), 0) << name;
    }
}

TEST(WebKeyCodesTest, LettersFollowTheLayoutAndTheRestTheirPosition) {
    // AZERTY: M lies where a US keyboard has the semicolon, A where it has Q.
    EXPECT_EQ(VirtualKeyForDomKey("Semicolon", "m"), 'M');
    EXPECT_EQ(VirtualKeyForDomKey("KeyQ", "a"), 'A');
    // A letter position that types punctuation gives that punctuation's key.
    EXPECT_EQ(VirtualKeyForDomKey("KeyM", ","), 0xBC);
    // A letter of another script keeps its position's letter; so does a
    // dead key.
    EXPECT_EQ(VirtualKeyForDomKey("KeyC", "\xd1\x81"), 'C');
    EXPECT_EQ(VirtualKeyForDomKey("BracketLeft", "Dead"), 0xDB);
    // Digits stay by position whatever they type (French: "&" on the 1).
    EXPECT_EQ(VirtualKeyForDomKey("Digit1", "&"), '1');
}

TEST(WebKeyCodesTest, TheKeypadGivesNavigationWithNumLockOff) {
    EXPECT_EQ(VirtualKeyForDomKey("Numpad8", "8"), 0x68);
    EXPECT_EQ(VirtualKeyForDomKey("Numpad8", "ArrowUp"), 0x26);
    EXPECT_EQ(VirtualKeyForDomKey("Numpad5", "Clear"), 0x0C);
    EXPECT_EQ(VirtualKeyForDomKey("NumpadDecimal", "Delete"), 0x2E);
    // Only the keypad: an arrow named on another key is that key.
    EXPECT_EQ(VirtualKeyForDomKey("KeyW", "ArrowUp"), 'W');
}
