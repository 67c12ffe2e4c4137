#include "system/win32/win32_key_codes.h"

namespace {

constexpr uint64_t VirtualShift = 16;
constexpr uint64_t VirtualControl = 17;
constexpr uint64_t VirtualAlt = 18;

constexpr int32_t LeftShift = 160;
constexpr int32_t RightShift = 161;
constexpr int32_t LeftControl = 162;
constexpr int32_t RightControl = 163;
constexpr int32_t LeftAlt = 164;
constexpr int32_t RightAlt = 165;

// The right Shift has a scan code of its own; the right Control and Alt
// share the left ones' with the extended flag set.
constexpr int32_t RightShiftScan = 0x36;

} // namespace

int32_t KeyCodeForKeyMessage(uint64_t virtualKey, int64_t keyData) {
    if (virtualKey == 0 || virtualKey > 255) {
        return 0;
    }
    const auto bits = static_cast<uint64_t>(keyData);
    const auto scan = static_cast<int32_t>((bits >> 16) & 0x7F);
    const bool extended = ((bits >> 24) & 1) != 0;
    // A key made up by a program may carry no scan code: it still gets a
    // side, the left one unless flagged otherwise.
    switch (virtualKey) {
    case VirtualShift:
        return scan == RightShiftScan ? RightShift : LeftShift;
    case VirtualControl:
        return extended ? RightControl : LeftControl;
    case VirtualAlt:
        return extended ? RightAlt : LeftAlt;
    default:
        return static_cast<int32_t>(virtualKey);
    }
}
