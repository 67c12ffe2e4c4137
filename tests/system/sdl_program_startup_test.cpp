// The SDL start-up runs in a child process each time, because it ends the
// process when the program returns.

#include "fake_system_driver.h"
#include "system/input_state.h"
#include "system/sdl/sdl_program_startup.h"
#include "system/sdl/sdl_system_driver.h"
#include "util/runtime_error.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

void Check(bool ok, const char16_t* what) {
    if (!ok) {
        RaiseRuntimeError(what);
    }
}

constexpr int32_t UpKey = 38;

} // namespace

TEST(SDLProgramStartup, KeyQueriesReadSDLBeforeAnyWindowIsOpen) {
    EXPECT_EXIT(StartSDLProgram(0, nullptr,
                                [] {
                                    Check(CurrentSDLSystemDriver() != nullptr, u"no SDL driver");
                                    StartInputTracking(nullptr); // as opening graphics does
                                    SDL_Event event{};
                                    event.type = SDL_KEYDOWN;
                                    event.key.state = SDL_PRESSED;
                                    event.key.keysym.scancode = SDL_SCANCODE_UP;
                                    Check(SDL_PushEvent(&event) == 1, u"push");
                                    Check(KeyHeld(UpKey) == 1, u"the key never arrived");
                                }),
                ::testing::ExitedWithCode(0), "^$");
}

TEST(SDLProgramStartup, ADriverInstalledBeforehandIsKept) {
    EXPECT_EXIT(
        {
            const auto fake = std::make_shared<TFakeSystemDriver>();
            SetSystemDriver(fake);
            StartSDLProgram(0, nullptr, [&fake] {
                Check(SystemDriver() == fake, u"the fake was replaced");
                KeyHeld(UpKey);
                Check(fake->polls == 1, u"the query did not reach the fake");
            });
        },
        ::testing::ExitedWithCode(0), "^$");
}
