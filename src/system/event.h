#pragma once

// The system's own events: one record per key, pointer or application event,
// delivered synchronously through the emit-event hook chain.

#include "system/hooks.h"
#include "util/text.h"

#include <any>
#include <cstdint>
#include <memory>

// Event ids. Only the application, key and pointer events are produced here;
// the other names are registered for whoever produces them.
inline constexpr int32_t EventAppSuspend = 0x101;
inline constexpr int32_t EventAppResume = 0x102;
inline constexpr int32_t EventAppTerminate = 0x103;
inline constexpr int32_t EventAppOpenFile = 0x104;
inline constexpr int32_t EventAppIdle = 0x105;
inline constexpr int32_t EventKeyDown = 0x201;
inline constexpr int32_t EventKeyUp = 0x202;
inline constexpr int32_t EventKeyChar = 0x203;
inline constexpr int32_t EventKeyRepeat = 0x204;
inline constexpr int32_t EventMouseDown = 0x401;
inline constexpr int32_t EventMouseUp = 0x402;
inline constexpr int32_t EventMouseMove = 0x403;
inline constexpr int32_t EventMouseWheel = 0x404;
inline constexpr int32_t EventMouseEnter = 0x405;
inline constexpr int32_t EventMouseLeave = 0x406;

// Modifier bits of TEvent::mods.
inline constexpr int32_t ModifierShift = 1;
inline constexpr int32_t ModifierControl = 2;
inline constexpr int32_t ModifierAlt = 4;
inline constexpr int32_t ModifierSystem = 8; // either Windows (GUI) key

class TEvent : public std::enable_shared_from_this<TEvent> {
public:
    int32_t id = 0;
    std::shared_ptr<void> source; // the object the event concerns, or null
    int32_t data = 0;             // key code, button, character or wheel steps
    int32_t mods = 0;             // Modifier* bits at the time of the event
    int32_t x = 0;                // window client pixels
    int32_t y = 0;
    std::any extra; // anything; shown by ToString when it holds a Text

    static std::shared_ptr<TEvent> Create(int32_t id, std::shared_ptr<void> source, int32_t data,
                                          int32_t mods, int32_t x, int32_t y, std::any extra);

    // Runs the emit-event hook chain with this event as its data.
    void Emit();

    // e.g. KeyDown: data=27, mods=0, x=0, y=0, extra=""
    Text ToString() const;

    // The next user event id: 0x80000001 first, then upward.
    static int32_t AllocUserId();
    static void RegisterId(int32_t id, const Text& name);
    // The name registered first for the id, or the empty text.
    static Text DescriptionForId(int32_t id);
};

// The chain that carries every emitted event; its data is a TEvent.
int32_t EmitEventHook();
