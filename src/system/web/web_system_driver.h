#pragma once

// The system driver over the page's events. The browser delivers key and
// focus events only while the program has handed control back to it (a
// frame's sleep, a wait); they are queued as they come and turned into
// TEvents by the next pump, in their order, so that a key pressed and
// released within one frame still counts as a press. Game controllers are
// read on every pump.

#include "system/system_driver.h"
#include "system/web/web_input_translator.h"

#include <deque>
#include <memory>
#include <variant>

class TWebSystemDriver : public TSystemDriver {
public:
    TWebSystemDriver();
    ~TWebSystemDriver() override;
    TWebSystemDriver(const TWebSystemDriver&) = delete;
    TWebSystemDriver& operator=(const TWebSystemDriver&) = delete;

    int32_t Poll() override;
    // Yields to the browser until an event is queued, then polls.
    int32_t Wait() override;
    int32_t MoveMouse(int32_t x, int32_t y) override;
    int32_t SetMouseVisible(int32_t visible) override;

    // The page's event handlers queue here.
    struct TFocusChange {
        bool gained;
    };
    using TPageEvent = std::variant<TDomKeyEvent, TFocusChange>;
    void Queue(TPageEvent event) { _queue.push_back(std::move(event)); }

private:
    void PollGamepads();

    std::deque<TPageEvent> _queue;
    TWebInputTranslator _translator;
    bool _gamepadsAvailable = false;
};

// Makes a web system driver the current one unless one already is (a
// test's fake is kept).
void InstallWebSystemDriver();
