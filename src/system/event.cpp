#include "system/event.h"

namespace {

constexpr uint32_t UserIdBase = 0x80000000u;

struct TEventRegistry {
    // All names in one text, "}" followed by "<id>{<name>}" per registration,
    // so that a lookup is one search and the first registration of an id wins.
    Text names = u"}";
    uint32_t lastUserId = UserIdBase;

    TEventRegistry() {
        const struct {
            int32_t id;
            const char16_t* name;
        } builtIn[] = {
            {EventAppSuspend, u"AppSuspend"},
            {EventAppResume, u"AppResume"},
            {EventAppTerminate, u"AppTerminate"},
            {EventAppOpenFile, u"AppOpenFile"},
            {EventAppIdle, u"AppIdle"},
            {EventKeyDown, u"KeyDown"},
            {EventKeyUp, u"KeyUp"},
            {EventKeyChar, u"KeyChar"},
            {EventKeyRepeat, u"KeyRepeat"},
            {EventMouseDown, u"MouseDown"},
            {EventMouseUp, u"MouseUp"},
            {EventMouseMove, u"MouseMove"},
            {EventMouseWheel, u"MouseWheel"},
            {EventMouseEnter, u"MouseEnter"},
            {EventMouseLeave, u"MouseLeave"},
            {0x801, u"TimerTick"},
            {0x1001, u"HotkeyHit"},
            {0x2001, u"GadgetAction"},
            {0x2002, u"GadgetPaint"},
            {0x2003, u"GadgetSelect"},
            {0x2004, u"GadgetMenu"},
            {0x2005, u"GadgetOpen"},
            {0x2006, u"GadgetClose"},
            {0x2007, u"GadgetDone"},
            {0x2008, u"GadgetLostFocus"},
            {0x2009, u"GadgetShape"},
            {0x4001, u"WindowMove"},
            {0x4002, u"WindowSize"},
            {0x4003, u"WindowClose"},
            {0x4004, u"WindowActivate"},
            {0x4005, u"WindowAccept"},
            {0x8001, u"MenuAction"},
            {0x10001, u"StreamEof"},
            {0x10002, u"StreamAvail"},
            {0x20001, u"ProcessExit"},
        };
        for (const auto& entry : builtIn) {
            Register(entry.id, entry.name);
        }
    }

    void Register(int32_t id, const Text& name) { names += IntToText(id) + u"{" + name + u"}"; }

    Text Describe(int32_t id) const {
        // Built by appending: GCC 12 misreports literal + string as an
        // overlapping copy at -O3.
        Text key = u"}";
        key += IntToText(id);
        key += u'{';
        const size_t start = names.find(key);
        if (start == Text::npos) {
            return Text();
        }
        const size_t nameStart = start + key.size();
        const size_t end = names.find(u'}', nameStart);
        return names.substr(nameStart, end - nameStart);
    }
};

TEventRegistry& Registry() {
    static TEventRegistry registry;
    return registry;
}

Text NameForToString(int32_t id) {
    Text name = TEvent::DescriptionForId(id);
    if (!name.empty()) {
        return name;
    }
    const auto unsignedId = static_cast<uint32_t>(id);
    if (unsignedId > UserIdBase) {
        return u"UserEvent" + IntToText(static_cast<int32_t>(unsignedId - UserIdBase));
    }
    return u"Unknown Event, id=" + IntToText(id);
}

} // namespace

std::shared_ptr<TEvent> TEvent::Create(int32_t id, std::shared_ptr<void> source, int32_t data,
                                       int32_t mods, int32_t x, int32_t y, std::any extra) {
    auto event = std::make_shared<TEvent>();
    event->id = id;
    event->source = std::move(source);
    event->data = data;
    event->mods = mods;
    event->x = x;
    event->y = y;
    event->extra = std::move(extra);
    return event;
}

void TEvent::Emit() {
    CallHookChain(EmitEventHook(), shared_from_this());
}

Text TEvent::ToString() const {
    const Text* extraText = std::any_cast<Text>(&extra);
    return NameForToString(id) + u": data=" + IntToText(data) + u", mods=" + IntToText(mods) +
           u", x=" + IntToText(x) + u", y=" + IntToText(y) + u", extra=\"" +
           (extraText ? *extraText : Text()) + u"\"";
}

int32_t TEvent::AllocUserId() {
    return static_cast<int32_t>(++Registry().lastUserId);
}

void TEvent::RegisterId(int32_t id, const Text& name) {
    Registry().Register(id, name);
}

Text TEvent::DescriptionForId(int32_t id) {
    return Registry().Describe(id);
}

int32_t EmitEventHook() {
    static const int32_t hookId = NewHookId();
    return hookId;
}
