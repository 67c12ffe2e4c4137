// Sewer Run in the browser: the game of main.cpp on the page's canvas, in
// the city the page's address asks for (`?city=N`, handed in as
// "--city N"), and with every city's number shown on the page for sharing.

#include "game/city_number.h"
#include "game/game_program.h"
#include "graphics/native/gl_draw2d_driver.h"
#include "system/platform_startup.h"
#include "util/clock.h"

#include <emscripten.h>

#include <optional>
#include <string_view>

namespace {

std::optional<int32_t> AskedForCity(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string_view(argv[i]) == "--city") {
            return SeedOfCityNumber(argv[i + 1]);
        }
    }
    return std::nullopt;
}

int32_t ShownOnPage(int32_t seed) {
    const std::string number = CityNumber(seed);
    EM_ASM(
        {
            if (Module.showCity)
                Module.showCity(UTF8ToString($0));
        },
        number.c_str());
    return seed;
}

} // namespace

int main(int argc, char** argv) {
    StartWindowedProgram(argc, argv, [argc, argv] {
        InstallDraw2DDriver();
        // Any other value of the address's city is a new random city.
        const int32_t seed = AskedForCity(argc, argv).value_or(MillisecondClock());
        StartGame(60, ShownOnPage(seed));
        RunFrameLoop([] { return ShownOnPage(MillisecondClock()); });
    });
}
