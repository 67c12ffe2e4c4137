#include "graphics/frame_pacer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A clock that moves only when the pacer sleeps or the test says time passed.
struct TFakeTime {
    uint32_t now = 5000;
    std::vector<int32_t> sleeps;

    TFramePacer Pacer() {
        return TFramePacer([this] { return static_cast<int32_t>(now); },
                           [this](int32_t ms) {
                               sleeps.push_back(ms);
                               now += static_cast<uint32_t>(ms);
                           });
    }
};

} // namespace

TEST(FramePacerTest, SixtyFramesAtSixtyHertzTakeExactlyOneSecond) {
    TFakeTime time;
    auto pacer = time.Pacer();
    pacer.Start(60);
    EXPECT_EQ(pacer.FrameMillis(), 16);
    EXPECT_EQ(pacer.FrameRemainder(), 40);

    for (int frame = 0; frame < 60; ++frame) {
        pacer.WaitForNextFrame();
    }
    // The remainder adds a millisecond on two frames of every three.
    std::vector<int32_t> expected;
    for (int i = 0; i < 20; ++i) {
        expected.insert(expected.end(), {16, 17, 17});
    }
    EXPECT_EQ(time.sleeps, expected);
    EXPECT_EQ(time.now, 6000u);
    EXPECT_EQ(pacer.Deadline(), 6000);

    // And without drift however long it runs.
    for (int frame = 0; frame < 540; ++frame) {
        pacer.WaitForNextFrame();
    }
    EXPECT_EQ(time.now, 15000u);
}

TEST(FramePacerTest, WorkDuringTheFrameShortensTheSleep) {
    TFakeTime time;
    auto pacer = time.Pacer();
    pacer.Start(60);
    time.now += 10; // the frame's own work
    pacer.WaitForNextFrame();
    EXPECT_EQ(time.sleeps, (std::vector<int32_t>{6}));
    EXPECT_EQ(time.now, 5016u);
}

TEST(FramePacerTest, ALateFrameRestartsTheDeadlineFromNow) {
    TFakeTime time;
    auto pacer = time.Pacer();
    pacer.Start(60);
    pacer.WaitForNextFrame(); // deadline 5016
    time.now += 50;           // far past the next deadline of 5033
    pacer.WaitForNextFrame();
    EXPECT_EQ(pacer.Deadline(), 5066);
    EXPECT_EQ(time.sleeps, (std::vector<int32_t>{16}));

    // The next frame is counted from the late one, not from the missed slot.
    pacer.WaitForNextFrame();
    EXPECT_EQ(pacer.Deadline(), 5066 + 17);
    EXPECT_EQ(time.sleeps, (std::vector<int32_t>{16, 17}));

    // A frame that ends exactly on its deadline does not sleep either.
    time.now = 5083 + 16;
    pacer.WaitForNextFrame();
    EXPECT_EQ(time.sleeps.size(), 2u);
    EXPECT_EQ(pacer.Deadline(), 5099);
}

TEST(FramePacerTest, TheDeadlineWrapsWithTheClock) {
    TFakeTime time;
    time.now = 0xFFFFFFF0u;
    auto pacer = time.Pacer();
    pacer.Start(50);
    for (int frame = 0; frame < 3; ++frame) {
        pacer.WaitForNextFrame();
    }
    EXPECT_EQ(time.sleeps, (std::vector<int32_t>{20, 20, 20}));
    EXPECT_EQ(time.now, 0xFFFFFFF0u + 60u);
}

TEST(FramePacerTest, OtherRatesSpreadTheirRemainderAndZeroKeepsNoPace) {
    TFakeTime time;
    auto pacer = time.Pacer();
    pacer.Start(75);
    EXPECT_EQ(pacer.FrameMillis(), 13);
    EXPECT_EQ(pacer.FrameRemainder(), 25);
    for (int frame = 0; frame < 75; ++frame) {
        pacer.WaitForNextFrame();
    }
    EXPECT_EQ(time.now, 6000u);

    time.sleeps.clear();
    pacer.Start(0);
    pacer.WaitForNextFrame();
    pacer.Start(-30);
    pacer.WaitForNextFrame();
    EXPECT_TRUE(time.sleeps.empty());
}
