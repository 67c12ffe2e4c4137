#include "system/xinput/xinput_library.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <xinput.h>

#include <memory>
#include <type_traits>

namespace {

using TGetState = DWORD(WINAPI*)(DWORD, XINPUT_STATE*);

struct TLibraryFreer {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using TLibrary = std::unique_ptr<std::remove_pointer_t<HMODULE>, TLibraryFreer>;

TLibrary LoadNewestXInput() {
    for (const wchar_t* name : {L"xinput1_4.dll", L"xinput1_3.dll", L"xinput9_1_0.dll"}) {
        // Only from the system folder: a DLL of that name beside the program
        // or in the working directory is not XInput.
        if (HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
            return TLibrary(module);
        }
    }
    return nullptr;
}

} // namespace

TXInputReader LoadXInputReader() {
    std::shared_ptr<TLibrary> library = std::make_shared<TLibrary>(LoadNewestXInput());
    const auto getState = *library ? reinterpret_cast<TGetState>(reinterpret_cast<void*>(
                                         GetProcAddress(library->get(), "XInputGetState")))
                                   : nullptr;
    if (!getState) {
        return [](uint32_t, TXInputPadState&) { return false; };
    }
    return [library, getState](uint32_t index, TXInputPadState& state) {
        XINPUT_STATE raw{};
        if (getState(index, &raw) != ERROR_SUCCESS) {
            return false;
        }
        state.buttons = raw.Gamepad.wButtons;
        state.leftTrigger = raw.Gamepad.bLeftTrigger;
        state.rightTrigger = raw.Gamepad.bRightTrigger;
        state.thumbLX = raw.Gamepad.sThumbLX;
        return true;
    };
}
