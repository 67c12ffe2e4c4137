#pragma once

// Turns the page's input into the system's TEvents: key events with the
// virtual-key codes of web_key_codes.h, the characters they type, the page
// losing and regaining the focus as application events, and game controllers
// read through the browser's Gamepad API in its standard mapping. Plain data
// in, so that all of it runs and is tested off the browser too.

#include "system/controller_keys.h"
#include "system/event.h"
#include "system/key_holders.h"

#include <array>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

struct TDomKeyEvent {
    bool down = true;
    std::string code; // the position: "KeyM", "ArrowUp"
    std::string key;  // what it types, UTF-8: "m", "ArrowUp", "é"
    bool repeat = false;
    bool shift = false;
    bool control = false;
    bool alt = false;
    bool meta = false;
};

// One controller as the Gamepad API reports it.
struct TWebGamepad {
    int32_t index = 0; // the browser's slot, fixed while it stays connected
    bool connected = false;
    bool standardMapping = false;
    // The standard mapping's buttons (0 A, 1 B, 2 X, 3 Y, 4 and 5 the
    // shoulders, 6 and 7 the triggers, 8 Back, 9 Start, 12 to 15 the d-pad),
    // each from 0 (at rest) to 1, and its axes (0: the left stick, -1 left
    // to 1 right).
    std::array<double, 17> buttons{};
    std::array<double, 4> axes{};
};

class TWebInputTranslator {
public:
    // A key going down gives KeyDown (KeyRepeat when the browser repeats it)
    // and, when it types text and no Control or Meta is held, a KeyChar per
    // UTF-16 code unit; a key going up gives KeyUp. Keys without a code give
    // nothing.
    std::vector<std::shared_ptr<TEvent>> TranslateKey(const TDomKeyEvent& event);
    // AppResume when the page gains the focus, AppSuspend when it loses it;
    // either lets go of every held key, since releases made meanwhile never
    // arrive.
    std::vector<std::shared_ptr<TEvent>> TranslateFocus(bool gained);
    // The keys the controllers hold now against what they held at the last
    // call. A controller that is gone (or not in the standard mapping) lets
    // go of everything it held.
    std::vector<std::shared_ptr<TEvent>> TranslateGamepads(std::span<const TWebGamepad> pads);

private:
    std::shared_ptr<TEvent> Make(int32_t id, int32_t data) const;

    int32_t _mods = 0;
    bool _active = true; // a page starts with the focus it was opened with
    TKeyHolders _holders;
    std::map<int32_t, TControllerHolds> _pads;
};

// Whether the browser may still act on a key event of the page (Ctrl+R
// reloads it, F12 opens the tools), or the event is the game's alone: the
// keys the game reads never scroll the page or trigger a shortcut, even with
// Control held.
bool BrowserMayHandleKey(const TDomKeyEvent& event);
