#include "system/input_state.h"
#include "system/sdl/sdl_system_driver.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

struct TSeen {
    int32_t id;
    int32_t data;
    int32_t mods;
    int32_t x;
    int32_t y;

    bool operator==(const TSeen&) const = default;
};

void PrintTo(const TSeen& seen, std::ostream* out) {
    *out << std::hex << "{0x" << seen.id << std::dec << ", " << seen.data << ", mods " << seen.mods
         << ", " << seen.x << ", " << seen.y << "}";
}

THookData Record(int32_t, const THookData& data, const THookData& context) {
    const auto event = std::static_pointer_cast<TEvent>(data);
    static_cast<std::vector<TSeen>*>(context.get())
        ->push_back({event->id, event->data, event->mods, event->x, event->y});
    return data;
}

// Synthetic SDL events go through SDL's own queue and the real driver, and
// come out as TEvents (recorded) and as input state.
class SDLEventTranslationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(InstallSDLSystemDriver());
        ASSERT_NE(SDL_WasInit(SDL_INIT_EVENTS), 0u) << SDL_GetError();
        StartInputTracking(nullptr);
        AttachHook(EmitEventHook(), Record, seen, 0);
    }

    void TearDown() override {
        DetachHook(EmitEventHook(), Record, seen);
        StopInputTracking();
        SetSystemDriver(nullptr);
    }

    // Everything recorded since the last call.
    std::vector<TSeen> Take() {
        PumpSystemEvents();
        auto taken = *seen;
        seen->clear();
        return taken;
    }

    static void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }

    // Without a symbol (0), as for a key that types nothing.
    static void Key(Uint32 type, SDL_Scancode scancode, bool repeat = false, Uint16 mod = 0,
                    SDL_Keycode sym = 0) {
        SDL_Event event{};
        event.type = type;
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.repeat = repeat ? 1 : 0;
        event.key.keysym.scancode = scancode;
        event.key.keysym.sym = sym;
        event.key.keysym.mod = mod;
        Push(event);
    }

    static void Window(Uint8 windowEvent) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.event = windowEvent;
        Push(event);
    }

    static void Text(const char* utf8) {
        SDL_Event event{};
        event.type = SDL_TEXTINPUT;
        std::strncpy(event.text.text, utf8, sizeof event.text.text - 1);
        Push(event);
    }

    static void Button(Uint32 type, Uint8 button, int x, int y) {
        SDL_Event event{};
        event.type = type;
        event.button.button = button;
        event.button.x = x;
        event.button.y = y;
        Push(event);
    }

    std::shared_ptr<std::vector<TSeen>> seen = std::make_shared<std::vector<TSeen>>();
};

} // namespace

TEST_F(SDLEventTranslationTest, ControlKeysComeAsTheirSidesNeverAsTheGenericCode) {
    Key(SDL_KEYDOWN, SDL_SCANCODE_LCTRL, false, KMOD_LCTRL);
    Key(SDL_KEYDOWN, SDL_SCANCODE_RCTRL, false, KMOD_LCTRL | KMOD_RCTRL);
    Key(SDL_KEYUP, SDL_SCANCODE_LCTRL, false, KMOD_RCTRL);
    Key(SDL_KEYUP, SDL_SCANCODE_RCTRL, false, 0);
    EXPECT_EQ(Take(), (std::vector<TSeen>{{EventKeyDown, 162, ModifierControl, 0, 0},
                                          {EventKeyDown, 163, ModifierControl, 0, 0},
                                          {EventKeyUp, 162, ModifierControl, 0, 0},
                                          {EventKeyUp, 163, 0, 0, 0}}));
    EXPECT_EQ(TakeKeyPresses(162), 1);
    EXPECT_EQ(TakeKeyPresses(163), 1);
    EXPECT_EQ(TakeKeyPresses(17), 0);
}

TEST_F(SDLEventTranslationTest, AHeldKeyRepeatsButCountsOnePress) {
    Key(SDL_KEYDOWN, SDL_SCANCODE_UP);
    Key(SDL_KEYDOWN, SDL_SCANCODE_UP, true);
    Key(SDL_KEYDOWN, SDL_SCANCODE_UP, true);
    EXPECT_EQ(Take(), (std::vector<TSeen>{{EventKeyDown, 38, 0, 0, 0},
                                          {EventKeyRepeat, 38, 0, 0, 0},
                                          {EventKeyRepeat, 38, 0, 0, 0}}));
    EXPECT_EQ(KeyHeld(38), 1);
    EXPECT_EQ(TakeKeyPresses(38), 1);

    Key(SDL_KEYDOWN, SDL_SCANCODE_UP, true);
    Key(SDL_KEYUP, SDL_SCANCODE_UP);
    EXPECT_EQ(TakeKeyPresses(38), 0);
    EXPECT_EQ(KeyHeld(38), 0);
}

TEST_F(SDLEventTranslationTest, APressAndReleaseBetweenQueriesIsOnePressNotHeld) {
    Key(SDL_KEYDOWN, SDL_SCANCODE_C);
    Key(SDL_KEYUP, SDL_SCANCODE_C);
    EXPECT_EQ(TakeKeyPresses(67), 1);
    EXPECT_EQ(KeyHeld(67), 0);

    // A key without a code gives no event at all.
    Take();
    Key(SDL_KEYDOWN, SDL_SCANCODE_KP_EQUALSAS400);
    EXPECT_TRUE(Take().empty());
}

TEST_F(SDLEventTranslationTest, FocusLossSuspendsAndClearsKeysAndButtons) {
    Window(SDL_WINDOWEVENT_FOCUS_GAINED);
    Key(SDL_KEYDOWN, SDL_SCANCODE_LEFT);
    Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 5, 6);
    EXPECT_EQ(KeyHeld(37), 1);
    EXPECT_EQ(ButtonHeld(1), 1);
    EXPECT_EQ(InputSuspended(), 0);

    Window(SDL_WINDOWEVENT_FOCUS_LOST);
    EXPECT_EQ(KeyHeld(37), 0);
    EXPECT_EQ(TakeKeyPresses(37), 0);
    EXPECT_EQ(ButtonHeld(1), 0);
    EXPECT_EQ(TakeButtonPresses(1), 0);
    EXPECT_EQ(InputSuspended(), 1);

    Window(SDL_WINDOWEVENT_FOCUS_GAINED);
    EXPECT_EQ(InputSuspended(), 0);
    // Only a change of the application's focus counts, once each way.
    Window(SDL_WINDOWEVENT_FOCUS_GAINED);
    Window(SDL_WINDOWEVENT_FOCUS_LOST);
    Window(SDL_WINDOWEVENT_FOCUS_LOST);
    std::vector<int32_t> ids;
    for (const auto& event : Take()) {
        ids.push_back(event.id);
    }
    EXPECT_EQ(ids, (std::vector<int32_t>{EventAppResume, EventKeyDown, EventMouseDown,
                                         EventAppSuspend, EventAppResume, EventAppSuspend}));
}

TEST_F(SDLEventTranslationTest, CloseRequestsOnlySetTheFlag) {
    Key(SDL_KEYDOWN, SDL_SCANCODE_M);
    Window(SDL_WINDOWEVENT_CLOSE);
    EXPECT_EQ(TakeCloseRequest(), 1);
    EXPECT_EQ(KeyHeld(77), 1);

    SDL_Event quit{};
    quit.type = SDL_QUIT;
    Push(quit);
    EXPECT_EQ(TakeCloseRequest(), 1);
    EXPECT_EQ(TakeCloseRequest(), 0);
}

TEST_F(SDLEventTranslationTest, TextGivesOneCharacterPerUtf16UnitAndTheQueueHolds256) {
    Text("a\xC3\xA9\xF0\x9F\x98\x80"); // a, e acute, a smiley beyond 16 bits
    EXPECT_EQ(TakeChar(), 'a');
    EXPECT_EQ(TakeChar(), 0xE9);
    EXPECT_EQ(TakeChar(), 0xD83D);
    EXPECT_EQ(TakeChar(), 0xDE00);
    EXPECT_EQ(TakeChar(), 0);

    for (int i = 0; i < CharQueueCapacity + 1; ++i) {
        const char text[2] = {static_cast<char>('A' + i % 26), '\0'};
        Text(text);
    }
    for (int i = 0; i < CharQueueCapacity; ++i) {
        ASSERT_EQ(TakeChar(), 'A' + i % 26) << "character " << i;
    }
    EXPECT_EQ(TakeChar(), 0); // the 257th was dropped
}

TEST_F(SDLEventTranslationTest, PointerEventsCarryButtonsPositionsAndWheelSteps) {
    Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 10, 20);
    Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 11, 21);
    Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 0, 0); // no number: nothing

    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.state = SDL_BUTTON_LMASK | SDL_BUTTON_RMASK;
    motion.motion.x = 300;
    motion.motion.y = 200;
    Push(motion);

    SDL_Event wheel{};
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.y = 1;
    wheel.wheel.preciseY = 1.0f;
    wheel.wheel.mouseX = 7;
    wheel.wheel.mouseY = 8;
    Push(wheel);
    wheel.wheel.direction = SDL_MOUSEWHEEL_FLIPPED; // natural scrolling
    Push(wheel);
    wheel.wheel.y = 0; // a fraction of a notch
    wheel.wheel.preciseY = 0.25f;
    Push(wheel);
    wheel.wheel.preciseY = 0.0f; // horizontal only: nothing
    wheel.wheel.x = 1;
    Push(wheel);

    EXPECT_EQ(Take(), (std::vector<TSeen>{{EventMouseDown, 2, 0, 10, 20},
                                          {EventMouseUp, 3, 0, 11, 21},
                                          {EventMouseMove, 2, 0, 300, 200},
                                          {EventMouseWheel, 1, 0, 7, 8},
                                          {EventMouseWheel, -1, 0, 7, 8},
                                          {EventMouseWheel, 0, 0, 7, 8}}));
    EXPECT_EQ(ButtonHeld(2), 1);
    EXPECT_EQ(PointerX(), 300);
    EXPECT_EQ(PointerWheel(), 0);
}

TEST_F(SDLEventTranslationTest, EventsCarryTheModifiersOfTheLatestKey) {
    Key(SDL_KEYDOWN, SDL_SCANCODE_LSHIFT, false, KMOD_LSHIFT);
    Key(SDL_KEYDOWN, SDL_SCANCODE_RALT, false, KMOD_LSHIFT | KMOD_RALT);
    Key(SDL_KEYDOWN, SDL_SCANCODE_LGUI, false, KMOD_LSHIFT | KMOD_RALT | KMOD_LGUI);
    Text("x");
    const auto events = Take();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0], (TSeen{EventKeyDown, 160, ModifierShift, 0, 0}));
    EXPECT_EQ(events[1], (TSeen{EventKeyDown, 165, ModifierShift | ModifierAlt, 0, 0}));
    EXPECT_EQ(events[2],
              (TSeen{EventKeyDown, 91, ModifierShift | ModifierAlt | ModifierSystem, 0, 0}));
    EXPECT_EQ(events[3],
              (TSeen{EventKeyChar, 'x', ModifierShift | ModifierAlt | ModifierSystem, 0, 0}));
}

TEST_F(SDLEventTranslationTest, LetterKeysFollowTheLayoutAndTheKeypadFollowsNumLock) {
    // Scancode and symbol as SDL reports them under each layout.
    const struct {
        const char* layout;
        SDL_Scancode scancode;
        SDL_Keycode sym;
        Uint16 mod;
        int32_t code;
    } keys[] = {
        {"US M", SDL_SCANCODE_M, SDLK_m, 0, 77},
        {"French M, on the US semicolon", SDL_SCANCODE_SEMICOLON, SDLK_m, 0, 77},
        {"French comma, on the US M", SDL_SCANCODE_M, SDLK_COMMA, 0, 0xBC},
        {"French A, on the US Q", SDL_SCANCODE_Q, SDLK_a, 0, 'A'},
        {"French 1 row: digits stay digits", SDL_SCANCODE_1, SDLK_AMPERSAND, 0, '1'},
        {"Dvorak C, on the US I", SDL_SCANCODE_I, SDLK_c, 0, 67},
        {"Dvorak J, on the US C", SDL_SCANCODE_C, SDLK_j, 0, 'J'},
        {"Dvorak apostrophe, on the US Q", SDL_SCANCODE_Q, SDLK_QUOTE, 0, 0xDE},
        {"Russian, on the US M", SDL_SCANCODE_M, 0x44C, 0, 77},
        {"Greek, on the US C", SDL_SCANCODE_C, 0x3C8, 0, 67},
        {"arrows stay physical", SDL_SCANCODE_UP, SDLK_UP, 0, 38},
        {"keypad 8, Num Lock off", SDL_SCANCODE_KP_8, SDLK_KP_8, 0, 38},
        {"keypad 2, Num Lock off", SDL_SCANCODE_KP_2, SDLK_KP_2, 0, 40},
        {"keypad 4, Num Lock off", SDL_SCANCODE_KP_4, SDLK_KP_4, 0, 37},
        {"keypad 6, Num Lock off", SDL_SCANCODE_KP_6, SDLK_KP_6, 0, 39},
        {"keypad 7, Num Lock off", SDL_SCANCODE_KP_7, SDLK_KP_7, 0, 36},
        {"keypad 1, Num Lock off", SDL_SCANCODE_KP_1, SDLK_KP_1, 0, 35},
        {"keypad 9, Num Lock off", SDL_SCANCODE_KP_9, SDLK_KP_9, 0, 33},
        {"keypad 3, Num Lock off", SDL_SCANCODE_KP_3, SDLK_KP_3, 0, 34},
        {"keypad 0, Num Lock off", SDL_SCANCODE_KP_0, SDLK_KP_0, 0, 45},
        {"keypad point, Num Lock off", SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, 0, 46},
        {"keypad 5, Num Lock off", SDL_SCANCODE_KP_5, SDLK_KP_5, 0, 12},
        {"keypad 8, Num Lock on", SDL_SCANCODE_KP_8, SDLK_KP_8, KMOD_NUM, 104},
        {"keypad point, Num Lock on", SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, KMOD_NUM, 110},
        {"keypad Enter either way", SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, 0, 13},
    };
    for (const auto& key : keys) {
        Key(SDL_KEYDOWN, key.scancode, false, key.mod, key.sym);
        Key(SDL_KEYUP, key.scancode, false, key.mod, key.sym);
        const auto events = Take();
        ASSERT_EQ(events.size(), 2u) << key.layout;
        EXPECT_EQ(events[0].data, key.code) << key.layout;
        EXPECT_EQ(events[1].data, key.code) << key.layout;
        EXPECT_EQ(TakeKeyPresses(key.code), 1) << key.layout;
    }
}

TEST_F(SDLEventTranslationTest, PointerPositionsOfAScaledWindowAreInTheProgramsPixels) {
    // The 800 x 600 window full screen on 1280 x 720: its pixels are shown
    // 1.2 times as large from x = 160.
    auto driver = InstallSDLSystemDriver();
    driver->SetPointerMapping(7, {160.0, 0.0, 1.2, 1.2});
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.windowID = 7;
    for (const auto& [points, pixels] : {std::pair{160, 0}, {1119, 799}, {640, 400}, {100, -50}}) {
        motion.motion.x = points;
        motion.motion.y = 720 / 2;
        Push(motion);
        EXPECT_EQ(PointerX(), pixels) << points;
        EXPECT_EQ(PointerY(), 300) << points;
    }
    // Another window keeps its own points.
    Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 5, 6);
    EXPECT_EQ(Take().back(), (TSeen{EventMouseDown, 1, 0, 5, 6}));
}
