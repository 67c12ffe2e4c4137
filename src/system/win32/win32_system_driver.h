#pragma once

// The system driver over the thread's window-message queue: the pump takes
// every waiting message off the queue and dispatches it to its window, whose
// procedure hands it to TranslateWindowMessage; the events come out of there.
// Input that sends no messages (game controllers) comes from input sources,
// polled once per pump before the messages.

#include "system/key_holders.h"
#include "system/system_driver.h"
#include "system/win32/win32_message_translator.h"

#include <windows.h>

#include <memory>
#include <vector>

// Something besides the window messages that holds keys: a game controller
// interface, for instance.
class TWin32InputSource {
public:
    virtual ~TWin32InputSource() = default;
    // The key changes since the last poll, pressing and releasing keys through
    // `holders` (the keyboard's too, so a key held on both is one held key).
    // The driver emits them, with the keyboard's modifier mask.
    virtual std::vector<TKeyTransition> Poll(TKeyHolders& holders) = 0;
};

class TWin32SystemDriver : public TSystemDriver {
public:
    int32_t Poll() override;
    // Sleeps until a message or other input arrives (looking at the input
    // sources every few milliseconds while there are any), then polls.
    int32_t Wait() override;
    int32_t MoveMouse(int32_t x, int32_t y) override;
    int32_t SetMouseVisible(int32_t visible) override;

    void AddInputSource(std::shared_ptr<TWin32InputSource> source);

    TWin32MessageTranslator& Translator() { return _translator; }

private:
    // Whether any source had a change.
    bool PollInputSources();
    // Whether any message was waiting.
    bool PumpMessages();

    TWin32MessageTranslator _translator;
    std::vector<std::shared_ptr<TWin32InputSource>> _sources;
};

// Makes a Win32 system driver the current one unless it already is, and
// returns it.
std::shared_ptr<TWin32SystemDriver> InstallWin32SystemDriver();

// The current driver when it is a Win32 one; null under any other (a test's
// fake) or none.
std::shared_ptr<TWin32SystemDriver> CurrentWin32SystemDriver();

// Called by the window procedure of every window of the program, first, for
// every message: emits the message's event, if it has one, through the
// current Win32 driver. Under any other driver nothing is emitted.
void TranslateWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
