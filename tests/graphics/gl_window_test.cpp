// Real windows on a real X display (Xvfb in the test script): the window,
// its OpenGL context, and keys typed with xdotool.

#include "graphics/graphics_context.h"
#include "graphics/native/gl_graphics.h"
#include "graphics/native/native_context.h"
#include "system/event.h"
#include "system/input_state.h"
#include "system/program_startup.h"
#include "system/sdl/sdl_system_driver.h"
#include "system/system_driver.h"
#include "util/runtime_error.h"
#include "util/utf8.h"

#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace {

using namespace std::chrono_literals;

struct TShellResult {
    int status = -1;
    std::string output;
};

TShellResult Shell(const std::string& command) {
    TShellResult result;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) {
        return result;
    }
    std::array<char, 256> buffer{};
    while (fgets(buffer.data(), buffer.size(), pipe)) {
        result.output += buffer.data();
    }
    result.status = pclose(pipe);
    return result;
}

// Pumps events (and presents, as the game does) until the condition holds.
// The time limit only guards against a hang; nothing is measured.
bool PumpUntil(const std::function<bool()>& condition) {
    const auto giveUp = std::chrono::steady_clock::now() + 10s;
    while (std::chrono::steady_clock::now() < giveUp) {
        PumpSystemEvents();
        if (condition()) {
            return true;
        }
        PresentFrame(0);
        SDL_Delay(5);
    }
    return false;
}

THookData CountRepeats(int32_t, const THookData& data, const THookData& context) {
    const auto event = std::static_pointer_cast<TEvent>(data);
    if (event->id == EventKeyRepeat) {
        ++*std::static_pointer_cast<int>(context);
    }
    return data;
}

class GLWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Never skipped: without a display these tests fail, loudly.
        ASSERT_NE(std::getenv("DISPLAY"), nullptr)
            << "no X display: run the display tests under xvfb-run (scripts/test.sh does)";
    }

    void SetUp() override {
        // The typed keys come through SDL's events, as in the game, whose
        // start-up installs this driver.
        InstallSDLSystemDriver();
        SetProgramTitle(u"Sewer Run test window " + IntToText(getpid()));
        SelectGraphicsDriver(GLGraphicsDriver(), ContextDoubleBuffer);
    }

    void TearDown() override { EndGraphics(); }

    // The window of the current context.
    static SDL_Window* Window() { return SDL_GL_GetCurrentWindow(); }

    static std::string XWindowId() {
        const auto found =
            Shell("xdotool search --name '^" + TextToUtf8(ProgramTitle()) + "$' | head -n 1");
        return found.status == 0 ? found.output.substr(0, found.output.find('\n')) : "";
    }

    // Gives the window the keyboard focus and waits until SDL reports it, so
    // that the focus change (which clears the input state) is over before
    // any key arrives.
    static void Focus() {
        const std::string id = XWindowId();
        ASSERT_FALSE(id.empty()) << "the window is not on the display";
        const auto focused = Shell("xdotool windowfocus --sync " + id);
        ASSERT_EQ(focused.status, 0) << focused.output;
        ASSERT_TRUE(PumpUntil([] { return SDL_GetKeyboardFocus() == Window(); }));
    }

    static void Xdotool(const std::string& arguments) {
        const auto result = Shell("xdotool " + arguments);
        ASSERT_EQ(result.status, 0) << arguments << ": " << result.output;
    }
};

} // namespace

TEST_F(GLWindowTest, TheGamesWindowIsAnOpenGLWindowOf800By600Centred) {
    const auto graphics = OpenGraphics(800, 600, 0, 60, 0);
    ASSERT_TRUE(graphics) << SDL_GetError();
    ASSERT_NE(Window(), nullptr);
    EXPECT_EQ(GraphicsWidth(), 800);
    EXPECT_EQ(GraphicsHeight(), 600);

    int width = 0;
    int height = 0;
    SDL_GetWindowSize(Window(), &width, &height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
    SDL_GL_GetDrawableSize(Window(), &width, &height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
    const Uint32 flags = SDL_GetWindowFlags(Window());
    EXPECT_TRUE(flags & SDL_WINDOW_SHOWN);
    // The user may resize it; it opens at the size asked for, not full screen.
    EXPECT_TRUE(flags & SDL_WINDOW_RESIZABLE);
    EXPECT_FALSE(flags & SDL_WINDOW_FULLSCREEN);
    SDL_GetWindowMinimumSize(Window(), &width, &height);
    EXPECT_EQ(width, 160);
    EXPECT_EQ(height, 120);
    EXPECT_STREQ(SDL_GetWindowTitle(Window()), TextToUtf8(ProgramTitle()).c_str());

    // The display itself sees the same client area, centred on the desktop.
    const auto geometry = Shell("xdotool getwindowgeometry " + XWindowId());
    EXPECT_NE(geometry.output.find("Geometry: 800x600"), std::string::npos) << geometry.output;
    SDL_DisplayMode desktop{};
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    int x = 0;
    int y = 0;
    SDL_GetWindowPosition(Window(), &x, &y);
    EXPECT_EQ(x, (desktop.w - 800) / 2);
    EXPECT_EQ(y, (desktop.h - 600) / 2);

    int doubleBuffered = 0;
    SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &doubleBuffered);
    EXPECT_EQ(doubleBuffered, 1);

    // OpenGL 1.x immediate mode draws into the back buffer.
    glViewport(0, 0, 800, 600);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 800, 600, 0, -1, 1);
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor4ub(255, 0, 0, 255);
    glBegin(GL_QUADS);
    glVertex2f(0, 0);
    glVertex2f(100, 0);
    glVertex2f(100, 100);
    glVertex2f(0, 100);
    glEnd();
    std::array<GLubyte, 4> inside{};
    std::array<GLubyte, 4> outside{};
    glReadBuffer(GL_BACK);
    glReadPixels(50, 600 - 50, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, inside.data());
    glReadPixels(400, 300, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, outside.data());
    EXPECT_EQ((std::array<GLubyte, 3>{inside[0], inside[1], inside[2]}),
              (std::array<GLubyte, 3>{255, 0, 0}));
    EXPECT_EQ((std::array<GLubyte, 3>{outside[0], outside[1], outside[2]}),
              (std::array<GLubyte, 3>{0, 0, 255}));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    for (int frame = 0; frame < 3; ++frame) {
        PresentFrame(-1);
    }
}

TEST_F(GLWindowTest, ASecondOpenGraphicsClosesTheFirstWindow) {
    ASSERT_TRUE(OpenGraphics(800, 600, 0, 60, 0));
    const Uint32 first = SDL_GetWindowID(Window());
    ASSERT_TRUE(OpenGraphics(640, 480, 0, 60, 0));
    EXPECT_EQ(SDL_GetWindowFromID(first), nullptr);
    ASSERT_NE(Window(), nullptr);
    EXPECT_NE(SDL_GetWindowID(Window()), first);
    EXPECT_EQ(GraphicsWidth(), 640);

    EndGraphics();
    EXPECT_EQ(Window(), nullptr);
    EXPECT_TRUE(XWindowId().empty());
}

TEST_F(GLWindowTest, ACloseRequestIsReportedAndTheWindowStays) {
    ASSERT_TRUE(OpenGraphics(800, 600, 0, 60, 0));
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = SDL_GetWindowID(Window());
    ASSERT_EQ(SDL_PushEvent(&close), 1);

    EXPECT_TRUE(PumpUntil([] { return TakeCloseRequest() == 1; }));
    for (int frame = 0; frame < 5; ++frame) {
        PresentFrame(-1);
        PumpSystemEvents();
    }
    ASSERT_NE(Window(), nullptr);
    EXPECT_TRUE(SDL_GetWindowFlags(Window()) & SDL_WINDOW_SHOWN);
    EXPECT_FALSE(XWindowId().empty());
}

TEST_F(GLWindowTest, KeysTypedOnTheDisplayArriveWithWindowsCodes) {
    ASSERT_TRUE(OpenGraphics(800, 600, 0, 60, 0));
    Focus();
    const struct {
        const char* keysym;
        int32_t code;
    } keys[] = {
        {"Escape", 27},   {"space", 32},  {"Left", 37}, {"Up", 38},         {"Right", 39},
        {"Down", 40},     {"c", 67},      {"m", 77},    {"Control_L", 162}, {"Control_R", 163},
        {"Shift_L", 160}, {"Return", 13}, {"F1", 112},  {"KP_5", 101},      {"Delete", 46},
    };
    for (const auto& key : keys) {
        // Press and release come within a millisecond: the press is counted
        // from the events all the same.
        Xdotool(std::string("key ") + key.keysym);
        int32_t presses = 0;
        EXPECT_TRUE(PumpUntil([&] {
            presses += TakeKeyPresses(key.code);
            return presses > 0 && KeyHeld(key.code) == 0;
        })) << key.keysym;
        EXPECT_EQ(presses, 1) << key.keysym;
    }
    EXPECT_EQ(TakeKeyPresses(16), 0);
    EXPECT_EQ(TakeKeyPresses(17), 0);
}

TEST_F(GLWindowTest, AKeyHeldDownRepeatsButCountsOnePress) {
    ASSERT_TRUE(OpenGraphics(800, 600, 0, 60, 0));
    Focus();
    int repeats = 0;
    const auto counter = std::shared_ptr<int>(&repeats, [](int*) {});
    AttachHook(EmitEventHook(), CountRepeats, counter, 0);

    Xdotool("keydown Up");
    EXPECT_TRUE(PumpUntil([] { return KeyHeld(38) == 1; }));
    // The server repeats a held key after a delay of well under a second.
    EXPECT_TRUE(PumpUntil([&] { return repeats >= 2; }));
    EXPECT_EQ(KeyHeld(38), 1);
    Xdotool("keyup Up");
    EXPECT_TRUE(PumpUntil([] { return KeyHeld(38) == 0; }));
    EXPECT_EQ(TakeKeyPresses(38), 1);
    DetachHook(EmitEventHook(), CountRepeats, counter);
}

TEST_F(GLWindowTest, TypedTextArrivesAsCharacters) {
    ASSERT_TRUE(OpenGraphics(800, 600, 0, 60, 0));
    Focus();
    Xdotool("type --delay 20 'Go!'");
    std::u16string typed;
    EXPECT_TRUE(PumpUntil([&] {
        while (const int32_t code = TakeChar()) {
            typed += static_cast<char16_t>(code);
        }
        return typed.size() >= 3;
    }));
    EXPECT_EQ(typed, u"Go!");
}

TEST_F(GLWindowTest, DisplayModesAndFullScreen) {
    const auto& modes = ListGraphicsModes();
    ASSERT_FALSE(modes.empty());
    for (const auto& mode : modes) {
        EXPECT_GE(mode.depth, 16) << TextToUtf8(mode.ToString());
    }
    SDL_DisplayMode desktop{};
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    EXPECT_EQ(GraphicsModeAvailable(desktop.w, desktop.h, 0, 0), 1);

    // A mode the display does not have: no graphics, and the reason raised
    // inside is kept from the caller.
    EXPECT_EQ(OpenGraphics(123, 45, 32, 60, 0), nullptr);
    EXPECT_EQ(CurrentGraphics(), nullptr);
    try {
        CreateWindowContext(123, 45, 32, 60, ContextDoubleBuffer);
        ADD_FAILURE() << "no error raised";
    } catch (const TRuntimeError& error) {
        EXPECT_EQ(error.Message(), u"GLGraphicsDriver failed to set display mode");
    }

    // The display's own mode works, at its rate or at any.
    const TGraphicsMode mode = modes.front();
    for (const int32_t hertz : {mode.hertz, 0, mode.hertz + 1}) {
        ASSERT_TRUE(OpenGraphics(mode.width, mode.height, mode.depth, hertz, 0))
            << TextToUtf8(mode.ToString()) << " at " << hertz << " Hz: " << SDL_GetError();
        EXPECT_TRUE(SDL_GetWindowFlags(Window()) & SDL_WINDOW_FULLSCREEN);
        EXPECT_EQ(GraphicsDepth(), mode.depth);
        PresentFrame(-1);
    }
}
