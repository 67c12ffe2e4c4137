#include "system/event.h"

#include <gtest/gtest.h>

TEST(EventTest, ToStringNamesTheEventAndShowsItsFields) {
    const auto key = TEvent::Create(EventKeyDown, nullptr, 27, ModifierControl, 3, -4, {});
    EXPECT_EQ(key->ToString(), u"KeyDown: data=27, mods=2, x=3, y=-4, extra=\"\"");

    const auto withText = TEvent::Create(EventAppTerminate, nullptr, 0, 0, 0, 0, Text(u"bye"));
    EXPECT_EQ(withText->ToString(), u"AppTerminate: data=0, mods=0, x=0, y=0, extra=\"bye\"");

    // Only a text shows; any other object leaves the quotes empty.
    const auto withNumber = TEvent::Create(EventMouseWheel, nullptr, -1, 0, 0, 0, 42);
    EXPECT_EQ(withNumber->ToString(), u"MouseWheel: data=-1, mods=0, x=0, y=0, extra=\"\"");
}

TEST(EventTest, UnnamedIdsAreWrittenAsUnknownOrAsUserEvents) {
    EXPECT_EQ(TEvent::Create(0x999, nullptr, 1, 0, 0, 0, {})->ToString(),
              u"Unknown Event, id=2457: data=1, mods=0, x=0, y=0, extra=\"\"");

    const int32_t first = TEvent::AllocUserId();
    const int32_t second = TEvent::AllocUserId();
    // The first id of a fresh process is 0x80000001.
    EXPECT_GE(static_cast<uint32_t>(first), 0x80000001u);
    EXPECT_EQ(second, first + 1);
    const auto number = static_cast<int32_t>(static_cast<uint32_t>(second) - 0x80000000u);
    EXPECT_EQ(TEvent::Create(second, nullptr, 0, 0, 0, 0, {})->ToString(),
              u"UserEvent" + IntToText(number) + u": data=0, mods=0, x=0, y=0, extra=\"\"");

    TEvent::RegisterId(second, u"Refuel");
    EXPECT_EQ(TEvent::Create(second, nullptr, 0, 0, 0, 0, {})->ToString(),
              u"Refuel: data=0, mods=0, x=0, y=0, extra=\"\"");
}

TEST(EventTest, DescriptionsComeFromTheFirstRegistration) {
    EXPECT_EQ(TEvent::DescriptionForId(EventAppSuspend), u"AppSuspend");
    EXPECT_EQ(TEvent::DescriptionForId(EventKeyRepeat), u"KeyRepeat");
    EXPECT_EQ(TEvent::DescriptionForId(EventMouseLeave), u"MouseLeave");
    EXPECT_EQ(TEvent::DescriptionForId(0x2009), u"GadgetShape");
    EXPECT_EQ(TEvent::DescriptionForId(0x20001), u"ProcessExit");
    EXPECT_EQ(TEvent::DescriptionForId(0x7777), u"");

    TEvent::RegisterId(EventKeyDown, u"Pressed");
    EXPECT_EQ(TEvent::DescriptionForId(EventKeyDown), u"KeyDown");
    // An id that is the tail of another id's digits is not confused with it.
    TEvent::RegisterId(-12, u"Minus");
    EXPECT_EQ(TEvent::DescriptionForId(-12), u"Minus");
    EXPECT_EQ(TEvent::DescriptionForId(12), u"");
}

namespace {

THookData CountEvent(int32_t, const THookData& data, const THookData& context) {
    auto* seen = static_cast<std::vector<int32_t>*>(context.get());
    seen->push_back(std::static_pointer_cast<TEvent>(data)->data);
    return data;
}

} // namespace

TEST(EventTest, EmitRunsTheEmitEventChainWithTheEvent) {
    auto seen = std::make_shared<std::vector<int32_t>>();
    AttachHook(EmitEventHook(), CountEvent, seen, 0);
    TEvent::Create(EventKeyChar, nullptr, 65, 0, 0, 0, {})->Emit();
    TEvent::Create(EventKeyChar, nullptr, 66, 0, 0, 0, {})->Emit();
    DetachHook(EmitEventHook(), CountEvent, seen);
    TEvent::Create(EventKeyChar, nullptr, 67, 0, 0, 0, {})->Emit();
    EXPECT_EQ(*seen, (std::vector<int32_t>{65, 66}));
}
