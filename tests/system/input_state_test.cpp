#include "fake_system_driver.h"
#include "system/input_state.h"

#include <gtest/gtest.h>

namespace {

class InputStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetSystemDriver(driver);
        StartInputTracking(nullptr);
    }

    void TearDown() override {
        StopInputTracking();
        SetSystemDriver(nullptr);
    }

    std::shared_ptr<TFakeSystemDriver> driver = std::make_shared<TFakeSystemDriver>();
};

constexpr int32_t Up = 38;
constexpr int32_t LeftControl = 162;

} // namespace

TEST_F(InputStateTest, APressAndReleaseBetweenTwoQueriesIsOnePressAndNotHeld) {
    driver->Queue(EventKeyDown, Up);
    driver->Queue(EventKeyUp, Up);
    // The query pumps first: the events reach the state only through it.
    EXPECT_EQ(TakeKeyPresses(Up), 1);
    EXPECT_EQ(KeyHeld(Up), 0);
    EXPECT_EQ(TakeKeyPresses(Up), 0);
    EXPECT_TRUE(driver->queue.empty());
}

TEST_F(InputStateTest, AHeldKeyCountsOnePressWhateverRepeatsFollow) {
    driver->Queue(EventKeyDown, LeftControl);
    for (int i = 0; i < 5; ++i) {
        driver->Queue(EventKeyRepeat, LeftControl);
    }
    driver->Queue(EventKeyDown, LeftControl); // a down for a key already down
    EXPECT_EQ(KeyHeld(LeftControl), 1);
    EXPECT_EQ(TakeKeyPresses(LeftControl), 1);
    EXPECT_EQ(KeyHeld(LeftControl), 1);

    driver->Queue(EventKeyUp, LeftControl);
    driver->Queue(EventKeyDown, LeftControl);
    driver->Queue(EventKeyUp, LeftControl);
    EXPECT_EQ(TakeKeyPresses(LeftControl), 1);
    EXPECT_EQ(KeyHeld(LeftControl), 0);
}

TEST_F(InputStateTest, LosingTheFocusForgetsKeysCharactersButtonsAndWheel) {
    driver->Queue(EventKeyDown, Up);
    driver->Queue(EventKeyDown, 67);
    driver->Queue(EventKeyChar, 'c');
    driver->Queue(EventMouseDown, 1);
    driver->Queue(EventMouseWheel, 3);
    driver->Queue(EventMouseMove, 0, 40, 50);
    driver->Queue(EventAppSuspend);
    EXPECT_EQ(KeyHeld(Up), 0);
    EXPECT_EQ(TakeKeyPresses(67), 0);
    EXPECT_EQ(TakeChar(), 0);
    EXPECT_EQ(ButtonHeld(1), 0);
    EXPECT_EQ(TakeButtonPresses(1), 0);
    EXPECT_EQ(PointerWheel(), 0);
    EXPECT_EQ(InputSuspended(), 1);
    // The pointer position is not input that could be stale.
    EXPECT_EQ(PointerX(), 40);

    // The release happened elsewhere and never comes: the key stays up
    // until it is pressed again.
    driver->Queue(EventAppResume);
    EXPECT_EQ(KeyHeld(Up), 0);
    EXPECT_EQ(InputSuspended(), 0);
    driver->Queue(EventKeyDown, Up);
    EXPECT_EQ(KeyHeld(Up), 1);
}

TEST_F(InputStateTest, ACloseRequestIsAFlagTakenOnceAndTouchesNoKeys) {
    driver->Queue(EventKeyDown, Up);
    driver->Queue(EventAppTerminate);
    EXPECT_EQ(KeyHeld(Up), 1);
    EXPECT_EQ(TakeCloseRequest(), 1);
    EXPECT_EQ(TakeCloseRequest(), 0);
    EXPECT_EQ(TakeKeyPresses(Up), 1);
}

TEST_F(InputStateTest, TheCharacterQueueKeeps256AndDropsTheRest) {
    for (int32_t i = 1; i <= CharQueueCapacity + 1; ++i) {
        driver->Queue(EventKeyChar, i);
    }
    for (int32_t i = 1; i <= CharQueueCapacity; ++i) {
        ASSERT_EQ(TakeChar(), i);
    }
    EXPECT_EQ(TakeChar(), 0);

    // The ring goes on around its end.
    driver->Queue(EventKeyChar, 0x263A);
    driver->Queue(EventKeyChar, 'z');
    EXPECT_EQ(TakeChar(), 0x263A);
    EXPECT_EQ(TakeChar(), 'z');
    EXPECT_EQ(TakeChar(), 0);
}

TEST_F(InputStateTest, ButtonsPointerAndWheelFollowTheirEvents) {
    // Motion counts from whatever the last motion query reported.
    PointerXMotion();
    PointerYMotion();
    PointerWheelMotion();
    const int32_t startX = PointerX();
    const int32_t startY = PointerY();
    driver->Queue(EventMouseDown, 2, 10, 20);
    driver->Queue(EventMouseUp, 2, 10, 20);
    driver->Queue(EventMouseDown, 3);
    driver->Queue(EventMouseMove, 0, 100, 200);
    driver->Queue(EventMouseWheel, 2);
    driver->Queue(EventMouseWheel, -1);
    EXPECT_EQ(TakeButtonPresses(2), 1);
    EXPECT_EQ(ButtonHeld(2), 0);
    EXPECT_EQ(ButtonHeld(3), 1);
    EXPECT_EQ(PointerX(), 100);
    EXPECT_EQ(PointerY(), 200);
    EXPECT_EQ(PointerWheel(), 1);

    EXPECT_EQ(PointerXMotion(), 100 - startX);
    EXPECT_EQ(PointerXMotion(), 0);
    driver->Queue(EventMouseMove, 0, 90, 260);
    driver->Queue(EventMouseWheel, 4);
    EXPECT_EQ(PointerXMotion(), -10);
    EXPECT_EQ(PointerYMotion(), 260 - startY);
    EXPECT_EQ(PointerWheelMotion(), 5);
    EXPECT_EQ(PointerWheelMotion(), 0);
}

TEST_F(InputStateTest, CodesOutsideTheTablesAreIgnored) {
    driver->Queue(EventKeyDown, 256);
    driver->Queue(EventKeyDown, -1);
    driver->Queue(EventMouseDown, 4);
    EXPECT_EQ(KeyHeld(256), 0);
    EXPECT_EQ(TakeKeyPresses(-1), 0);
    EXPECT_EQ(ButtonHeld(4), 0);
    EXPECT_EQ(TakeButtonPresses(-7), 0);
}

TEST_F(InputStateTest, TrackingStartsOnceStopsClearedAndCanFilterBySource) {
    StartInputTracking(nullptr); // already on: the hook is not added twice
    driver->Queue(EventKeyDown, Up);
    driver->Queue(EventKeyUp, Up);
    driver->Queue(EventKeyDown, Up);
    EXPECT_EQ(TakeKeyPresses(Up), 2);

    StopInputTracking();
    EXPECT_EQ(KeyHeld(Up), 0);
    driver->Queue(EventKeyDown, 65);
    EXPECT_EQ(TakeKeyPresses(65), 0);

    const auto window = std::make_shared<int>(1);
    StartInputTracking(window);
    driver->Queue(EventKeyDown, 65, 0, 0, std::make_shared<int>(2));
    driver->Queue(EventKeyDown, 66, 0, 0, window);
    EXPECT_EQ(TakeKeyPresses(65), 0);
    EXPECT_EQ(TakeKeyPresses(66), 1);
}

TEST_F(InputStateTest, BlockingWaitsReturnTheFirstPressAfterTheCall) {
    driver->Queue(EventKeyDown, 90); // pending before the call: forgotten
    driver->Later(EventKeyDown, 70);
    driver->Later(EventKeyDown, 40);
    EXPECT_EQ(WaitForKeyPress(), 40); // the lowest code among those pressed

    driver->Queue(EventKeyChar, 'p');
    driver->Later(EventKeyChar, 'q');
    EXPECT_EQ(WaitForChar(), 'q');

    driver->Queue(EventMouseDown, 1);
    driver->Later(EventMouseDown, 3);
    EXPECT_EQ(WaitForButton(), 3);
    EXPECT_EQ(driver->waits, 3);
}
