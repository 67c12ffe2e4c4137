#include "graphics/native/video_subsystem.h"

#include "util/utf8.h"

#include <SDL.h>

#include <array>
#include <cstdlib>
#include <string_view>

namespace {

bool NamesEqual(std::string_view a, std::string_view b) {
    return a.size() == b.size() && SDL_strncasecmp(a.data(), b.data(), a.size()) == 0;
}

Text EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? Utf8ToText(value) : Text();
}

// The display SDL was looking for, as the user would name it.
Text DisplayTried() {
    const Text x11 = EnvironmentValue("DISPLAY");
    const Text wayland = EnvironmentValue("WAYLAND_DISPLAY");
    if (!x11.empty()) {
        return u"display \"" + x11 + u"\" cannot be reached";
    }
    if (!wayland.empty()) {
        return u"Wayland display \"" + wayland + u"\" cannot be reached";
    }
    return u"no display (DISPLAY is not set)";
}

} // namespace

bool VideoDriverRequested(const char* requested, const char* driver) {
    if (!requested || !driver) {
        return false;
    }
    std::string_view rest(requested);
    while (!rest.empty()) {
        const size_t comma = rest.find(',');
        if (NamesEqual(rest.substr(0, comma), driver)) {
            return true;
        }
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    }
    return false;
}

bool IsHeadlessVideoDriver(const char* driver) {
    static constexpr std::array<std::string_view, 3> Headless{"offscreen", "dummy", "evdev"};
    for (const auto name : Headless) {
        if (driver && NamesEqual(name, driver)) {
            return true;
        }
    }
    return false;
}

bool StartVideoSubsystem(Text& why) {
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        return true;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        const std::string error = SDL_GetError();
        why = DisplayTried() + (error.empty() ? Text() : u" (" + Utf8ToText(error) + u")");
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || (IsHeadlessVideoDriver(driver) &&
                    !VideoDriverRequested(SDL_GetHint(SDL_HINT_VIDEODRIVER), driver))) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        why = DisplayTried();
        return false;
    }
    return true;
}
