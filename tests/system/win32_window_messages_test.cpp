// Window messages sent to a real window of the program's window class go
// through the Win32 pump and come out as the input layer's key state and
// application events. Needs a display (under Wine, an X display).

#include "graphics/graphics_flags.h"
#include "graphics/native/native_context.h"
#include "system/input_state.h"
#include "system/key_codes.h"
#include "system/win32/win32_system_driver.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

constexpr LPARAM Scan(int32_t scan, bool extended = false) {
    return (static_cast<LPARAM>(scan) << 16) | (extended ? (LPARAM{1} << 24) : 0) | 1;
}
constexpr LPARAM RepeatBit = LPARAM{1} << 30;
constexpr LPARAM ReleaseBits = (LPARAM{1} << 30) | (LPARAM{1} << 31);

class Win32WindowMessages : public ::testing::Test {
protected:
    void SetUp() override {
        InstallWin32SystemDriver();
        _context = CreateWindowContext(320, 240, 0, 0, ContextDoubleBuffer);
        _window = FindWindowW(L"Strato GLGraphics", nullptr);
        ASSERT_NE(_window, nullptr);
        StartInputTracking(nullptr);
    }
    void TearDown() override {
        StopInputTracking();
        CloseNativeContext(_context);
    }

    void Post(UINT message, WPARAM wParam, LPARAM lParam) {
        PostMessageW(_window, message, wParam, lParam);
    }
    void Press(WPARAM key, LPARAM data) {
        Post(WM_KEYDOWN, key, data);
        Post(WM_KEYUP, key, data | ReleaseBits);
    }

    int32_t _context = 0;
    HWND _window = nullptr;
};

} // namespace

TEST_F(Win32WindowMessages, KeysCarryTheirVirtualKeyCodesWithSidesForModifiers) {
    Post(WM_KEYDOWN, VK_CONTROL, Scan(0x1D));
    Post(WM_KEYDOWN, VK_UP, Scan(0x48, true));
    EXPECT_EQ(KeyHeld(KeyLeftControl), 1);
    EXPECT_EQ(KeyHeld(17), 0) << "the generic Control code is never reported";
    EXPECT_EQ(KeyHeld(KeyUp), 1);

    Post(WM_KEYUP, VK_CONTROL, Scan(0x1D) | ReleaseBits);
    Post(WM_KEYDOWN, VK_CONTROL, Scan(0x1D, true));
    EXPECT_EQ(KeyHeld(KeyLeftControl), 0);
    EXPECT_EQ(KeyHeld(163), 1);
}

TEST_F(Win32WindowMessages, APressWithinOneFrameCountsAndARepeatDoesNot) {
    Press('C', Scan(0x2E));
    EXPECT_EQ(TakeKeyPresses(KeyC), 1);
    EXPECT_EQ(KeyHeld(KeyC), 0);

    Post(WM_KEYDOWN, VK_SPACE, Scan(0x39));
    Post(WM_KEYDOWN, VK_SPACE, Scan(0x39) | RepeatBit);
    Post(WM_KEYDOWN, VK_SPACE, Scan(0x39) | RepeatBit);
    EXPECT_EQ(TakeKeyPresses(KeySpace), 1);
    EXPECT_EQ(KeyHeld(KeySpace), 1);
    EXPECT_EQ(TakeKeyPresses(KeySpace), 0);
}

TEST_F(Win32WindowMessages, CharactersArriveAsUtf16CodeUnits) {
    Post(WM_CHAR, 0x00DF, Scan(0x0C)); // sharp s
    EXPECT_EQ(TakeChar(), 0x00DF);
    EXPECT_EQ(TakeChar(), 0);
}

TEST_F(Win32WindowMessages, ActivationFromAnotherProgramSuspendsAndResumes) {
    Post(WM_KEYDOWN, VK_LEFT, Scan(0x4B, true));
    EXPECT_EQ(KeyHeld(KeyLeft), 1);
    // No other window: the activation went to (or came from) another program.
    SendMessageW(_window, WM_ACTIVATE, WA_INACTIVE, 0);
    PumpSystemEvents();
    EXPECT_EQ(InputSuspended(), 1);
    EXPECT_EQ(KeyHeld(KeyLeft), 0) << "keys held through the switch read as up";
    SendMessageW(_window, WM_ACTIVATE, WA_ACTIVE, 0);
    PumpSystemEvents();
    EXPECT_EQ(InputSuspended(), 0);
}

TEST_F(Win32WindowMessages, ActivationBetweenTheProgramsOwnWindowsIsNoSwitch) {
    const int32_t second = CreateWindowContext(160, 120, 0, 0, ContextDoubleBuffer);
    HWND other = FindWindowExW(nullptr, _window, L"Strato GLGraphics", nullptr);
    if (!other) {
        other = _window;
    }
    SendMessageW(_window, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(other));
    PumpSystemEvents();
    EXPECT_EQ(InputSuspended(), 0);
    CloseNativeContext(second);
}

TEST_F(Win32WindowMessages, TheCloseButtonOnlyRequestsAndTheWindowStays) {
    Post(WM_CLOSE, 0, 0);
    PumpSystemEvents();
    EXPECT_EQ(TakeCloseRequest(), 1);
    EXPECT_TRUE(IsWindow(_window));
    EXPECT_EQ(TakeCloseRequest(), 0);
}

TEST_F(Win32WindowMessages, AltAndF10OpenNoMenuWhileAltF4StillAsksToClose) {
    EXPECT_EQ(SendMessageW(_window, WM_SYSKEYDOWN, VK_F10, Scan(0x44)), 0);
    Post(WM_SYSKEYDOWN, VK_F4, Scan(0x3E) | (LPARAM{1} << 29));
    PumpSystemEvents();
    EXPECT_EQ(TakeCloseRequest(), 1);
}
