#include "system/key_codes.h"
#include "system/win32/win32_key_codes.h"

#include <gtest/gtest.h>

namespace {

// A key message's data: the scan code in bits 16 to 23, the extended flag
// in bit 24.
int64_t KeyData(int32_t scan, bool extended = false) {
    return (static_cast<int64_t>(scan) << 16) | (extended ? (int64_t{1} << 24) : 0) | 1;
}

} // namespace

TEST(Win32KeyCodes, ModifiersAreToldApartBySide) {
    EXPECT_EQ(KeyCodeForKeyMessage(16, KeyData(0x2A)), 160);
    EXPECT_EQ(KeyCodeForKeyMessage(16, KeyData(0x36)), 161);
    EXPECT_EQ(KeyCodeForKeyMessage(17, KeyData(0x1D)), KeyLeftControl);
    EXPECT_EQ(KeyCodeForKeyMessage(17, KeyData(0x1D, true)), 163);
    EXPECT_EQ(KeyCodeForKeyMessage(18, KeyData(0x38)), 164);
    EXPECT_EQ(KeyCodeForKeyMessage(18, KeyData(0x38, true)), 165);
    // A key made up by a program, with no scan code, still has a side.
    EXPECT_EQ(KeyCodeForKeyMessage(17, 0), KeyLeftControl);
    EXPECT_EQ(KeyCodeForKeyMessage(16, 0), 160);
}

TEST(Win32KeyCodes, OtherKeysKeepTheirVirtualKeyAndOutOfRangeOnesHaveNone) {
    EXPECT_EQ(KeyCodeForKeyMessage(27, KeyData(0x01)), KeyEscape);
    EXPECT_EQ(KeyCodeForKeyMessage(37, KeyData(0x4B, true)), KeyLeft);
    EXPECT_EQ(KeyCodeForKeyMessage('M', KeyData(0x32)), KeyM);
    EXPECT_EQ(KeyCodeForKeyMessage(255, 0), 255);
    EXPECT_EQ(KeyCodeForKeyMessage(0, KeyData(0x1D)), 0);
    EXPECT_EQ(KeyCodeForKeyMessage(256, 0), 0);
}
