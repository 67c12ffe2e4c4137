#pragma once

// Turns SDL events into the system's TEvents: keys with Windows virtual-key
// codes, characters as UTF-16 code units, pointer events in window client
// pixels, and focus and close requests as application events. Game
// controllers hold keys too; a key held on several of them and the keyboard
// goes down once and up once.

#include "system/event.h"
#include "system/key_holders.h"
#include "system/pointer_mapping.h"
#include "system/sdl/sdl_game_controllers.h"

#include <SDL_events.h>

#include <memory>
#include <unordered_map>
#include <vector>

class TSDLEventTranslator {
public:
    // At most one event, except for text input, which gives one KeyChar per
    // UTF-16 code unit. Events that mean nothing here give none.
    std::vector<std::shared_ptr<TEvent>> Translate(const SDL_Event& event);
    // Before SDL's controller subsystem ends.
    void CloseControllers();

    // Pointer positions of the window are mapped from now on; windows never
    // given one report their points as they are.
    void SetPointerMapping(Uint32 windowID, const TPointerMapping& mapping);
    // A window pixel of the program's as the window's point, for warping.
    void ToWindowPoint(Uint32 windowID, int32_t& x, int32_t& y) const;

private:
    void ToProgramPixel(Uint32 windowID, int32_t& x, int32_t& y) const;
    std::vector<std::shared_ptr<TEvent>> TranslateWindowEvent(const SDL_WindowEvent& event);
    std::vector<std::shared_ptr<TEvent>> TranslateKey(const SDL_KeyboardEvent& event);
    std::shared_ptr<TEvent> Make(int32_t id, int32_t data, int32_t x = 0, int32_t y = 0) const;

    // The modifier mask as of the latest key event.
    int32_t _mods = 0;
    // Whether one of the program's windows has the keyboard focus, so that
    // focus moving between two of them is no suspend and resume.
    bool _active = false;
    std::unordered_map<Uint32, TPointerMapping> _pointerMappings;
    TKeyHolders _holders;
    TSDLGameControllers _controllers;
};
