#include "graphics/native/video_subsystem.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

// Sets (or, with nullopt, removes) an environment variable for one test.
class TScopedVariable {
public:
    TScopedVariable(const char* name, std::optional<std::string> value) : _name(name) {
        if (const char* old = std::getenv(name)) {
            _old = old;
        }
        Set(value);
    }
    ~TScopedVariable() { Set(_old); }
    TScopedVariable(const TScopedVariable&) = delete;
    TScopedVariable& operator=(const TScopedVariable&) = delete;

private:
    void Set(const std::optional<std::string>& value) {
        if (value) {
            setenv(_name, value->c_str(), 1);
        } else {
            unsetenv(_name);
        }
    }

    const char* _name;
    std::optional<std::string> _old;
};

// Starts video with the environment given, and stops it again.
std::optional<Text> StartVideoFailure(std::optional<std::string> display,
                                      std::optional<std::string> requested) {
    const TScopedVariable x11("DISPLAY", std::move(display));
    const TScopedVariable wayland("WAYLAND_DISPLAY", std::nullopt);
    const TScopedVariable driver("SDL_VIDEODRIVER", std::move(requested));
    Text why;
    const bool started = StartVideoSubsystem(why);
    const bool running = SDL_WasInit(SDL_INIT_VIDEO) != 0;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    EXPECT_EQ(running, started) << "a failed start must leave video stopped";
    return started ? std::nullopt : std::optional<Text>(why);
}

} // namespace

TEST(VideoSubsystemTest, ARequestNamesADriverInAnyCaseAnywhereInTheList) {
    EXPECT_TRUE(VideoDriverRequested("offscreen", "offscreen"));
    EXPECT_TRUE(VideoDriverRequested("x11,Offscreen", "offscreen"));
    EXPECT_TRUE(VideoDriverRequested("DUMMY", "dummy"));
    EXPECT_FALSE(VideoDriverRequested("x11", "offscreen"));
    EXPECT_FALSE(VideoDriverRequested("offscreen2", "offscreen"));
    EXPECT_FALSE(VideoDriverRequested("", "offscreen"));
    EXPECT_FALSE(VideoDriverRequested(nullptr, "offscreen"));

    EXPECT_TRUE(IsHeadlessVideoDriver("offscreen"));
    EXPECT_TRUE(IsHeadlessVideoDriver("dummy"));
    EXPECT_FALSE(IsHeadlessVideoDriver("x11"));
    EXPECT_FALSE(IsHeadlessVideoDriver("wayland"));
}

TEST(VideoSubsystemTest, NoReachableDisplayIsAFailureThatNamesTheDisplay) {
    // SDL would quietly take its offscreen driver for both.
    EXPECT_EQ(StartVideoFailure(std::nullopt, std::nullopt),
              Text(u"no display (DISPLAY is not set)"));
    EXPECT_EQ(StartVideoFailure("", std::nullopt), Text(u"no display (DISPLAY is not set)"));
    const auto unreachable = StartVideoFailure(":9876", std::nullopt);
    ASSERT_TRUE(unreachable);
    EXPECT_EQ(unreachable->rfind(u"display \":9876\" cannot be reached", 0), 0u)
        << "got: " << std::string(unreachable->begin(), unreachable->end());
}

TEST(VideoSubsystemTest, AHeadlessDriverStartsWhenAskedForByName) {
    EXPECT_EQ(StartVideoFailure(std::nullopt, "offscreen"), std::nullopt);
}
