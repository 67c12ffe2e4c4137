#include "system/input_state.h"
#include "system/key_codes.h"
#include "system/sdl/sdl_game_controllers.h"
#include "system/sdl/sdl_system_driver.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

// Found by argument lookup, so beside the type.
void PrintTo(const TKeyTransition& transition, std::ostream* out) {
    *out << (transition.id == EventKeyDown ? "down "
             : transition.id == EventKeyUp ? "up "
                                           : "other ")
         << transition.key;
}

namespace {

THookData RecordKeys(int32_t, const THookData& data, const THookData& context) {
    const auto event = std::static_pointer_cast<TEvent>(data);
    static_cast<std::vector<TKeyTransition>*>(context.get())->push_back({event->id, event->data});
    return data;
}

TKeyTransition Down(int32_t key) {
    return {EventKeyDown, key};
}

TKeyTransition Up(int32_t key) {
    return {EventKeyUp, key};
}

// A controller plugged in through SDL's virtual joysticks, with the standard
// layout of buttons and axes; unplugged when it goes.
class TVirtualController {
public:
    TVirtualController() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        _id = index < 0 ? -1 : SDL_JoystickGetDeviceInstanceID(index);
    }
    ~TVirtualController() { Unplug(); }
    TVirtualController(const TVirtualController&) = delete;
    TVirtualController& operator=(const TVirtualController&) = delete;

    bool Attached() const { return _id >= 0; }
    SDL_JoystickID Id() const { return _id; }

    // Only once the driver has opened it as a controller.
    bool Button(SDL_GameControllerButton button, bool pressed) {
        SDL_Joystick* joystick = SDL_JoystickFromInstanceID(_id);
        return joystick && SDL_JoystickSetVirtualButton(joystick, button, pressed ? 1 : 0) == 0;
    }

    // In the controller's own range: -32768 to 32767 for a stick, 0 to 32767
    // for a trigger, whose joystick axis spans the whole range from rest.
    bool Axis(SDL_GameControllerAxis axis, int value) {
        SDL_Joystick* joystick = SDL_JoystickFromInstanceID(_id);
        const bool trigger =
            axis == SDL_CONTROLLER_AXIS_TRIGGERLEFT || axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT;
        const int raw = trigger ? 2 * value - 32767 : value;
        return joystick &&
               SDL_JoystickSetVirtualAxis(joystick, axis, static_cast<Sint16>(raw)) == 0;
    }

    void Unplug() {
        for (int index = 0; _id >= 0 && index < SDL_NumJoysticks(); ++index) {
            if (SDL_JoystickGetDeviceInstanceID(index) == _id) {
                SDL_JoystickDetachVirtual(index);
                _id = -1;
            }
        }
    }

private:
    SDL_JoystickID _id = -1;
};

// Controllers plugged in after the real driver started, their changes pumped
// through SDL's own queue and recorded as the key events they give.
class SDLGameControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(InstallSDLSystemDriver());
        ASSERT_NE(SDL_WasInit(SDL_INIT_GAMECONTROLLER), 0u) << SDL_GetError();
        StartInputTracking(nullptr);
        AttachHook(EmitEventHook(), RecordKeys, keys, 0);
        ASSERT_TRUE(pad.Attached()) << SDL_GetError();
        EXPECT_TRUE(Take().empty()); // plugging in holds nothing
    }

    void TearDown() override {
        pad.Unplug();
        second.Unplug();
        Take();
        DetachHook(EmitEventHook(), RecordKeys, keys);
        StopInputTracking();
        SetSystemDriver(nullptr);
    }

    std::vector<TKeyTransition> Take() {
        PumpSystemEvents();
        auto taken = *keys;
        keys->clear();
        return taken;
    }

    static void Key(Uint32 type, SDL_Scancode scancode, bool repeat = false) {
        SDL_Event event{};
        event.type = type;
        event.key.repeat = repeat ? 1 : 0;
        event.key.keysym.scancode = scancode;
        ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
    }

    static void Focus(Uint8 windowEvent) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.event = windowEvent;
        ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
    }

    std::shared_ptr<std::vector<TKeyTransition>> keys =
        std::make_shared<std::vector<TKeyTransition>>();
    TVirtualController pad;
    TVirtualController second;
};

struct TControl {
    const char* name;
    bool isAxis;
    int index; // a button or an axis
    int value; // of an axis held; 0 for a button
    int32_t key;
};

bool Hold(TVirtualController& pad, const TControl& control, bool held) {
    if (control.isAxis) {
        return pad.Axis(static_cast<SDL_GameControllerAxis>(control.index),
                        held ? control.value : 0);
    }
    return pad.Button(static_cast<SDL_GameControllerButton>(control.index), held);
}

} // namespace

TEST_F(SDLGameControllerTest, EveryControlHoldsItsKeyAndCountsAsAPress) {
    const TControl controls[] = {
        {"right trigger", true, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767, 38},
        {"A", false, SDL_CONTROLLER_BUTTON_A, 0, 38},
        {"d-pad up", false, SDL_CONTROLLER_BUTTON_DPAD_UP, 0, 38},
        {"left trigger", true, SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767, 40},
        {"B", false, SDL_CONTROLLER_BUTTON_B, 0, 40},
        {"d-pad down", false, SDL_CONTROLLER_BUTTON_DPAD_DOWN, 0, 40},
        {"left stick left", true, SDL_CONTROLLER_AXIS_LEFTX, -32768, 37},
        {"d-pad left", false, SDL_CONTROLLER_BUTTON_DPAD_LEFT, 0, 37},
        {"left stick right", true, SDL_CONTROLLER_AXIS_LEFTX, 32767, 39},
        {"d-pad right", false, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 0, 39},
        {"X", false, SDL_CONTROLLER_BUTTON_X, 0, 67},
        {"Y", false, SDL_CONTROLLER_BUTTON_Y, 0, 77},
        {"left shoulder", false, SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 0, 162},
        {"Back", false, SDL_CONTROLLER_BUTTON_BACK, 0, 27},
    };
    for (const auto& control : controls) {
        ASSERT_TRUE(Hold(pad, control, true)) << control.name << ": " << SDL_GetError();
        EXPECT_EQ(Take(), std::vector{Down(control.key)}) << control.name;
        EXPECT_EQ(KeyHeld(control.key), 1) << control.name;
        ASSERT_TRUE(Hold(pad, control, false)) << control.name;
        EXPECT_EQ(Take(), std::vector{Up(control.key)}) << control.name;
        EXPECT_EQ(KeyHeld(control.key), 0) << control.name;
        EXPECT_EQ(TakeKeyPresses(control.key), 1) << control.name;
    }
}

TEST_F(SDLGameControllerTest, StartHoldsSpaceForTheScreensAndPauseForPlay) {
    ASSERT_TRUE(pad.Button(SDL_CONTROLLER_BUTTON_START, true)) << SDL_GetError();
    EXPECT_EQ(Take(), (std::vector{Down(KeySpace), Down(KeyPause)}));
    ASSERT_TRUE(pad.Button(SDL_CONTROLLER_BUTTON_START, false));
    EXPECT_EQ(Take(), (std::vector{Up(KeySpace), Up(KeyPause)}));
    // With the Pause key held on the keyboard, Start adds only Space.
    Key(SDL_KEYDOWN, SDL_SCANCODE_PAUSE);
    EXPECT_EQ(Take(), std::vector{Down(KeyPause)});
    ASSERT_TRUE(pad.Button(SDL_CONTROLLER_BUTTON_START, true));
    EXPECT_EQ(Take(), std::vector{Down(KeySpace)});
    ASSERT_TRUE(pad.Button(SDL_CONTROLLER_BUTTON_START, false));
    EXPECT_EQ(Take(), std::vector{Up(KeySpace)});
    EXPECT_EQ(KeyHeld(KeyPause), 1);
    EXPECT_EQ(TakeKeyPresses(KeySpace), 2);
    EXPECT_EQ(TakeKeyPresses(KeyPause), 2);
    Key(SDL_KEYUP, SDL_SCANCODE_PAUSE);
    EXPECT_EQ(Take(), std::vector{Up(KeyPause)});
}

TEST_F(SDLGameControllerTest, OtherControlsHoldNothing) {
    const TControl controls[] = {
        {"right shoulder", false, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 0, 0},
        {"guide", false, SDL_CONTROLLER_BUTTON_GUIDE, 0, 0},
        {"left stick click", false, SDL_CONTROLLER_BUTTON_LEFTSTICK, 0, 0},
        {"left stick up", true, SDL_CONTROLLER_AXIS_LEFTY, -32768, 0},
        {"left stick down", true, SDL_CONTROLLER_AXIS_LEFTY, 32767, 0},
        {"right stick left", true, SDL_CONTROLLER_AXIS_RIGHTX, -32768, 0},
        {"right stick down", true, SDL_CONTROLLER_AXIS_RIGHTY, 32767, 0},
    };
    for (const auto& control : controls) {
        ASSERT_TRUE(Hold(pad, control, true)) << control.name;
        ASSERT_TRUE(Hold(pad, control, false)) << control.name;
        EXPECT_TRUE(Take().empty()) << control.name;
    }
}

TEST_F(SDLGameControllerTest, AxesHoldTheirKeysOnlyBeyondAQuarter) {
    const struct {
        SDL_GameControllerAxis axis;
        int value;
        std::vector<TKeyTransition> expected;
    } steps[] = {
        {SDL_CONTROLLER_AXIS_LEFTX, -8192, {}},
        {SDL_CONTROLLER_AXIS_LEFTX, -8193, {Down(37)}},
        {SDL_CONTROLLER_AXIS_LEFTX, -30000, {}}, // further out: still the one hold
        {SDL_CONTROLLER_AXIS_LEFTX, 8192, {Up(37)}},
        {SDL_CONTROLLER_AXIS_LEFTX, 8193, {Down(39)}},
        {SDL_CONTROLLER_AXIS_LEFTX, -32768, {Up(39), Down(37)}}, // across in one move
        {SDL_CONTROLLER_AXIS_LEFTX, 0, {Up(37)}},
        {SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 8192, {}},
        {SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 8193, {Down(38)}},
        {SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 8192, {Up(38)}},
        {SDL_CONTROLLER_AXIS_TRIGGERLEFT, 8192, {}},
        {SDL_CONTROLLER_AXIS_TRIGGERLEFT, 8193, {Down(40)}},
        {SDL_CONTROLLER_AXIS_TRIGGERLEFT, 0, {Up(40)}},
    };
    for (const auto& step : steps) {
        ASSERT_TRUE(pad.Axis(step.axis, step.value)) << SDL_GetError();
        EXPECT_EQ(Take(), step.expected) << "axis " << step.axis << " at " << step.value;
    }
}

TEST_F(SDLGameControllerTest, AKeyHeldOnKeyboardAndControllerIsOneHeldKey) {
    // Keyboard first, controller last to let go.
    Key(SDL_KEYDOWN, SDL_SCANCODE_UP);
    ASSERT_TRUE(pad.Button(SDL_CONTROLLER_BUTTON_A, true));
    EXPECT_EQ(Take(), std::vector{Down(KeyUp)});
    Key(SDL_KEYDOWN, SDL_SCANCODE_UP, true); // the keyboard still repeats
    Key(SDL_KEYUP, SDL_SCANCODE_UP);
    EXPECT_EQ(Take(), (std::vector<TKeyTransition>{{EventKeyRepeat, KeyUp}}));
    EXPECT_EQ(KeyHeld(KeyUp), 1);
    ASSERT_TRUE(pad.Button(SDL_CONTROLLER_BUTTON_A, false));
    EXPECT_EQ(Take(), std::vector{Up(KeyUp)});
    EXPECT_EQ(TakeKeyPresses(KeyUp), 1);

    // Controller first, keyboard last to let go.
    ASSERT_TRUE(pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, -32768));
    Key(SDL_KEYDOWN, SDL_SCANCODE_LEFT);
    EXPECT_EQ(Take(), std::vector{Down(KeyLeft)});
    ASSERT_TRUE(pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, 0));
    EXPECT_TRUE(Take().empty());
    EXPECT_EQ(KeyHeld(KeyLeft), 1);
    Key(SDL_KEYUP, SDL_SCANCODE_LEFT);
    EXPECT_EQ(Take(), std::vector{Up(KeyLeft)});
}

TEST_F(SDLGameControllerTest, TwoControlsOrTwoControllersHoldOneKey) {
    ASSERT_TRUE(second.Attached()) << SDL_GetError();
    Take();
    ASSERT_TRUE(pad.Button(SDL_CONTROLLER_BUTTON_A, true));
    ASSERT_TRUE(pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767));
    ASSERT_TRUE(second.Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true));
    EXPECT_EQ(Take(), std::vector{Down(KeyUp)});
    ASSERT_TRUE(pad.Button(SDL_CONTROLLER_BUTTON_A, false));
    ASSERT_TRUE(second.Button(SDL_CONTROLLER_BUTTON_DPAD_UP, false));
    EXPECT_TRUE(Take().empty());
    EXPECT_EQ(KeyHeld(KeyUp), 1);
    ASSERT_TRUE(pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0));
    EXPECT_EQ(Take(), std::vector{Up(KeyUp)});
    EXPECT_EQ(TakeKeyPresses(KeyUp), 1);
}

TEST_F(SDLGameControllerTest, UnpluggingLetsGoOfEveryKeyItHeldAlone) {
    ASSERT_TRUE(second.Attached()) << SDL_GetError();
    Take();
    ASSERT_TRUE(pad.Button(SDL_CONTROLLER_BUTTON_X, true));
    ASSERT_TRUE(pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767));
    ASSERT_TRUE(pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, -32768));
    ASSERT_TRUE(pad.Button(SDL_CONTROLLER_BUTTON_START, true));
    ASSERT_TRUE(second.Button(SDL_CONTROLLER_BUTTON_START, true));
    Key(SDL_KEYDOWN, SDL_SCANCODE_LEFT);
    EXPECT_EQ(Take().size(), 5u) << "X, Up, Left, and Space and Pause for Start";

    pad.Unplug();
    auto released = Take();
    std::sort(released.begin(), released.end(),
              [](const auto& a, const auto& b) { return a.key < b.key; });
    // Space and Pause stay held by the other controller, Left by the keyboard.
    EXPECT_EQ(released, (std::vector{Up(KeyUp), Up(67)}));
    EXPECT_EQ(KeyHeld(32), 1);
    EXPECT_EQ(KeyHeld(KeyLeft), 1);

    // One plugged in again works at once.
    TVirtualController again;
    ASSERT_TRUE(again.Attached()) << SDL_GetError();
    EXPECT_TRUE(Take().empty());
    ASSERT_TRUE(again.Button(SDL_CONTROLLER_BUTTON_Y, true));
    EXPECT_EQ(Take(), std::vector{Down(77)});
    again.Unplug();
    EXPECT_EQ(Take(), std::vector{Up(77)});
}

TEST_F(SDLGameControllerTest, ARemovalReportedWithoutItsReleasesStillLetsGo) {
    ASSERT_TRUE(pad.Button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true));
    EXPECT_EQ(Take(), std::vector{Down(162)});
    ASSERT_TRUE(pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767));
    EXPECT_EQ(Take(), std::vector{Down(40)});

    SDL_Event removed{};
    removed.type = SDL_CONTROLLERDEVICEREMOVED;
    removed.cdevice.which = pad.Id();
    ASSERT_EQ(SDL_PushEvent(&removed), 1) << SDL_GetError();
    auto released = Take();
    std::sort(released.begin(), released.end(),
              [](const auto& a, const auto& b) { return a.key < b.key; });
    EXPECT_EQ(released, (std::vector{Up(40), Up(162)}));
}

TEST_F(SDLGameControllerTest, LosingTheFocusForgetsWhatHeldTheKeys) {
    Focus(SDL_WINDOWEVENT_FOCUS_GAINED);
    Take();
    ASSERT_TRUE(pad.Button(SDL_CONTROLLER_BUTTON_A, true));
    EXPECT_EQ(Take(), std::vector{Down(KeyUp)});
    Focus(SDL_WINDOWEVENT_FOCUS_LOST);
    Focus(SDL_WINDOWEVENT_FOCUS_GAINED);
    Take();
    EXPECT_EQ(KeyHeld(KeyUp), 0);

    // Whatever the controller still holds, the keyboard's key goes down and up
    // as if alone, since the input layer forgot the controller's hold.
    Key(SDL_KEYDOWN, SDL_SCANCODE_UP);
    EXPECT_EQ(Take(), std::vector{Down(KeyUp)});
    Key(SDL_KEYUP, SDL_SCANCODE_UP);
    EXPECT_EQ(Take(), std::vector{Up(KeyUp)});
    EXPECT_EQ(TakeKeyPresses(KeyUp), 1);
}
