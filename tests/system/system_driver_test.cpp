#include "fake_system_driver.h"
#include "util/runtime_error.h"

#include <gtest/gtest.h>

namespace {

// Pumps again from inside the pump, as a key query made by a hook would.
THookData PumpFromHook(int32_t, const THookData& data, const THookData&) {
    PumpSystemEvents();
    WaitSystemEvent();
    return data;
}

THookData Fail(int32_t, const THookData&, const THookData&) {
    RaiseRuntimeError(u"hook failed");
}

} // namespace

TEST(SystemDriverTest, APumpStartedInsideThePumpReturnsAtOnce) {
    auto driver = std::make_shared<TFakeSystemDriver>();
    SetSystemDriver(driver);
    AttachHook(EmitEventHook(), PumpFromHook, nullptr, 0);
    driver->Queue(EventKeyDown, 1);
    driver->Queue(EventKeyDown, 2);
    EXPECT_EQ(PumpSystemEvents(), 0);
    DetachHook(EmitEventHook(), PumpFromHook, nullptr);
    EXPECT_EQ(driver->polls, 1);
    EXPECT_EQ(driver->waits, 0);

    EXPECT_EQ(WaitSystemEvent(), 0);
    EXPECT_EQ(driver->waits, 1);
    SetSystemDriver(nullptr);
    EXPECT_EQ(PumpSystemEvents(), 0); // no driver: nothing to do
}

TEST(SystemDriverTest, ARuntimeErrorInAHookLeavesThePumpUsable) {
    auto driver = std::make_shared<TFakeSystemDriver>();
    SetSystemDriver(driver);
    AttachHook(EmitEventHook(), Fail, nullptr, 0);
    driver->Queue(EventKeyDown, 1);
    EXPECT_THROW(PumpSystemEvents(), TRuntimeError);
    DetachHook(EmitEventHook(), Fail, nullptr);
    PumpSystemEvents();
    EXPECT_EQ(driver->polls, 2);
    SetSystemDriver(nullptr);
}
