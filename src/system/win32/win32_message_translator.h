#pragma once

// Turns the window messages of the program's windows into the system's
// TEvents: keys with their virtual-key codes (Shift, Control and Alt told
// apart by side), characters as UTF-16 code units, the pointer in the
// program's window pixels with enter and leave tracking, the activation
// changes as application events and the close button as a request to end.
// Game controllers hold keys too, through the same key holders, so a key held
// on a controller and the keyboard goes down once and up once.

#include "system/event.h"
#include "system/key_holders.h"
#include "system/pointer_mapping.h"

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

class TWin32MessageTranslator {
public:
    // At most one event; messages that mean nothing here give none.
    std::vector<std::shared_ptr<TEvent>> Translate(HWND window, UINT message, WPARAM wParam,
                                                   LPARAM lParam);

    // The modifier mask from the keys' current states; the pump calls it on
    // each modifier key's message, before it is dispatched.
    void UpdateModifiers();
    int32_t Modifiers() const { return _mods; }

    // The key holders the keyboard shares with the game controllers.
    TKeyHolders& Holders() { return _holders; }

    // Pointer positions in the window are given in the program's window
    // pixels from now on.
    void SetPointerMapping(HWND window, const TPointerMapping& mapping);
    void ToWindowPoint(HWND window, int32_t& x, int32_t& y) const;

    // Whether the pointer shows over the program's windows.
    void SetPointerVisible(bool visible);

private:
    std::shared_ptr<TEvent> Make(int32_t id, int32_t data, int32_t x = 0, int32_t y = 0) const;
    std::vector<std::shared_ptr<TEvent>> TranslateKey(UINT message, WPARAM wParam, LPARAM lParam);
    std::vector<std::shared_ptr<TEvent>> TranslateActivation(WPARAM wParam, LPARAM lParam);
    std::vector<std::shared_ptr<TEvent>> TranslatePointerMove(HWND window, WPARAM wParam,
                                                              LPARAM lParam);
    // Emits the leave and enter events of a change of the window under the
    // pointer (none: null) into `events`.
    void Track(HWND window, std::vector<std::shared_ptr<TEvent>>& events);
    void ShowPointer(bool show);
    void ToProgramPixel(HWND window, int32_t& x, int32_t& y) const;

    int32_t _mods = 0;
    TKeyHolders _holders;
    std::map<HWND, TPointerMapping> _pointerMappings;
    HWND _tracked = nullptr;
    bool _pointerVisible = true;
    bool _pointerShown = true;
};
