#include "system/event.h"
#include "system/key_codes.h"
#include "system/xinput/xinput_pads.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <vector>

// Found by argument lookup, so beside the type.
void PrintTo(const TKeyTransition& transition, std::ostream* out) {
    *out << (transition.id == EventKeyDown ? "down " : "up ") << transition.key;
}

namespace {

TKeyTransition Down(int32_t key) {
    return {EventKeyDown, key};
}

TKeyTransition Up(int32_t key) {
    return {EventKeyUp, key};
}

std::vector<TKeyTransition> Sorted(std::vector<TKeyTransition> transitions) {
    std::sort(transitions.begin(), transitions.end(),
              [](const auto& a, const auto& b) { return a.key < b.key; });
    return transitions;
}

// Four slots of pads as XInputGetState would report them, counting how often
// each slot is asked.
class XInputPadsTest : public ::testing::Test {
protected:
    std::vector<TKeyTransition> Poll() { return pads.Poll(holders); }

    std::map<uint32_t, TXInputPadState> plugged;
    std::array<int, TXInputPads::PadCount> reads{};
    TKeyHolders holders;
    TXInputPads pads{[this](uint32_t index, TXInputPadState& state) {
        ++reads.at(index);
        const auto found = plugged.find(index);
        if (found == plugged.end()) {
            return false;
        }
        state = found->second;
        return true;
    }};
};

TEST_F(XInputPadsTest, EveryControlHoldsTheKeyOfTheSharedTable) {
    const struct {
        const char* name;
        TXInputPadState state;
        std::vector<int32_t> keys;
    } controls[] = {
        {"right trigger", {.rightTrigger = 255}, {KeyUp}},
        {"A", {.buttons = XInputA}, {KeyUp}},
        {"d-pad up", {.buttons = XInputDPadUp}, {KeyUp}},
        {"left trigger", {.leftTrigger = 255}, {KeyDown}},
        {"B", {.buttons = XInputB}, {KeyDown}},
        {"d-pad down", {.buttons = XInputDPadDown}, {KeyDown}},
        {"left stick left", {.thumbLX = -32768}, {KeyLeft}},
        {"d-pad left", {.buttons = XInputDPadLeft}, {KeyLeft}},
        {"left stick right", {.thumbLX = 32767}, {KeyRight}},
        {"d-pad right", {.buttons = XInputDPadRight}, {KeyRight}},
        {"X", {.buttons = XInputX}, {KeyC}},
        {"Y", {.buttons = XInputY}, {KeyM}},
        {"left shoulder", {.buttons = XInputLeftShoulder}, {KeyLeftControl}},
        {"Start", {.buttons = XInputStart}, {KeySpace, KeyPause}},
        {"Back", {.buttons = XInputBack}, {KeyEscape}},
        // Right shoulder, both stick clicks, the Guide bit and anything else.
        {"other buttons", {.buttons = 0x0200 | 0x0040 | 0x0080 | 0x0400 | 0x0800}, {}},
    };
    plugged[2] = {};
    EXPECT_TRUE(Poll().empty()); // plugged in at rest: holds nothing
    for (const auto& control : controls) {
        plugged[2] = control.state;
        const auto pressed = Poll();
        plugged[2] = {};
        const auto released = Poll();
        std::vector<TKeyTransition> downs;
        std::vector<TKeyTransition> ups;
        for (const int32_t key : control.keys) {
            downs.push_back(Down(key));
            ups.push_back(Up(key));
        }
        EXPECT_EQ(pressed, downs) << control.name;
        EXPECT_EQ(released, ups) << control.name;
    }
}

TEST_F(XInputPadsTest, SticksAndTriggersHoldOnlyBeyondAQuarter) {
    const struct {
        TXInputPadState state;
        std::vector<TKeyTransition> expected;
    } steps[] = {
        {{.thumbLX = -8192}, {}},
        {{.thumbLX = -8193}, {Down(KeyLeft)}},
        {{.thumbLX = -30000}, {}}, // further out: still the one hold
        {{.thumbLX = 8192}, {Up(KeyLeft)}},
        {{.thumbLX = 8193}, {Down(KeyRight)}},
        {{.thumbLX = -32768}, {Up(KeyRight), Down(KeyLeft)}}, // across in one poll
        {{.thumbLX = 0}, {Up(KeyLeft)}},
        // 63 of 255 is 8095 of 32767, 64 is 8224: the same pull as SDL's.
        {{.rightTrigger = 63}, {}},
        {{.rightTrigger = 64}, {Down(KeyUp)}},
        {{.rightTrigger = 63}, {Up(KeyUp)}},
        {{.leftTrigger = 63}, {}},
        {{.leftTrigger = 64}, {Down(KeyDown)}},
        {{.leftTrigger = 0}, {Up(KeyDown)}},
    };
    for (const auto& step : steps) {
        plugged[0] = step.state;
        EXPECT_EQ(Poll(), step.expected)
            << "stick " << step.state.thumbLX << ", triggers " << int{step.state.leftTrigger}
            << " and " << int{step.state.rightTrigger};
    }
}

TEST_F(XInputPadsTest, AKeyHeldOnSeveralControlsPadsOrTheKeyboardIsOneHeldKey) {
    constexpr TKeyHolder keyboard{-1, 0};
    plugged[0] = {.buttons = XInputA, .rightTrigger = 255};
    plugged[3] = {.buttons = XInputDPadUp};
    EXPECT_EQ(Poll(), std::vector{Down(KeyUp)});
    EXPECT_FALSE(holders.Press(KeyUp, keyboard));

    plugged[0] = {.rightTrigger = 255};
    plugged[3] = {};
    EXPECT_TRUE(Poll().empty());
    plugged[0] = {};
    EXPECT_TRUE(Poll().empty()); // the keyboard holds it still
    EXPECT_TRUE(holders.Release(KeyUp, keyboard));
}

TEST_F(XInputPadsTest, APadThatGoesAwayLetsGoOfEveryKeyItHeldAlone) {
    plugged[0] = {.buttons = XInputX | XInputStart, .rightTrigger = 255, .thumbLX = -32768};
    plugged[1] = {.buttons = XInputStart};
    EXPECT_EQ(Poll().size(), 5u) << "X, Up, Left, and Space and Pause for Start";

    plugged.erase(0);
    // Space and Pause stay held by the other pad.
    EXPECT_EQ(Sorted(Poll()), (std::vector{Up(KeyLeft), Up(KeyUp), Up(KeyC)}));
    EXPECT_TRUE(Poll().empty());

    // Plugged in again while held: the held controls go down as it is found.
    plugged[0] = {.buttons = XInputY};
    std::vector<TKeyTransition> found;
    for (int poll = 0; poll < TXInputPads::EmptySlotPollInterval && found.empty(); ++poll) {
        found = Poll();
    }
    EXPECT_EQ(found, std::vector{Down(KeyM)});
}

TEST_F(XInputPadsTest, EmptySlotsAreAskedOnlyNowAndThen) {
    plugged[1] = {};
    const int polls = 3 * TXInputPads::EmptySlotPollInterval;
    for (int poll = 0; poll < polls; ++poll) {
        Poll();
    }
    EXPECT_EQ(reads[1], polls); // a pad present is read on every poll
    EXPECT_EQ(reads[0], 3);     // the empty slots on the first and every 30th
    EXPECT_EQ(reads[3], 3);
}

TEST_F(XInputPadsTest, NoXInputIsNoPad) {
    TXInputPads none{[](uint32_t, TXInputPadState&) { return false; }};
    for (int poll = 0; poll < TXInputPads::EmptySlotPollInterval + 1; ++poll) {
        EXPECT_TRUE(none.Poll(holders).empty());
    }
}

} // namespace
