#include "graphics/graphics_context.h"

#include "graphics/frame_pacer.h"
#include "system/hooks.h"
#include "system/input_state.h"
#include "system/program_exit.h"
#include "system/system_driver.h"
#include "util/clock.h"
#include "util/runtime_error.h"

namespace {

struct TGraphicsState {
    std::shared_ptr<TGraphicsDriver> driver;
    int32_t defaultFlags = 0;
    std::vector<TGraphicsMode> modes;
    std::shared_ptr<TGraphics> current;
    TGraphicsSettings settings;
    std::shared_ptr<TGraphics> opened; // the graphics of OpenGraphics
    Text failure;                      // why the latest creation made none
    bool exitHandlerAdded = false;
    bool softSync = false;
    bool vsyncPacing = false;
    TFramePacer pacer{MillisecondClock, [](int32_t ms) { DelayMillisecs(ms); }};
    uint32_t generation = 0;
};

TGraphicsState& State() {
    static TGraphicsState state;
    return state;
}

void BumpContextGeneration() {
    auto& state = State();
    if (++state.generation == 0) {
        state.generation = 1;
    }
}

void ReplaceDriver(TGraphicsState& state, std::shared_ptr<TGraphicsDriver> driver) {
    if (state.driver && state.current) {
        state.driver->SetGraphics(nullptr);
    }
    state.modes.clear();
    state.driver = std::move(driver);
}

void Flip(int32_t sync) {
    if (const auto& driver = State().driver) {
        driver->Flip(sync);
    }
}

} // namespace

void SelectGraphicsDriver(std::shared_ptr<TGraphicsDriver> driver, int32_t defaultFlags) {
    auto& state = State();
    BumpContextGeneration();
    if (driver != state.driver) {
        ReplaceDriver(state, std::move(driver));
    }
    state.defaultFlags = defaultFlags;
    state.current = nullptr;
    state.settings = TGraphicsSettings();
}

const std::shared_ptr<TGraphicsDriver>& CurrentGraphicsDriver() {
    return State().driver;
}

const std::vector<TGraphicsMode>& ListGraphicsModes() {
    auto& state = State();
    if (state.modes.empty() && state.driver) {
        state.modes = state.driver->GraphicsModes();
    }
    return state.modes;
}

int32_t CountGraphicsModes() {
    return static_cast<int32_t>(ListGraphicsModes().size());
}

TGraphicsMode GetGraphicsMode(int32_t index) {
    const auto& modes = ListGraphicsModes();
    if (index < 0 || static_cast<size_t>(index) >= modes.size()) {
        return TGraphicsMode();
    }
    return modes[static_cast<size_t>(index)];
}

int32_t GraphicsModeAvailable(int32_t width, int32_t height, int32_t depth, int32_t hertz) {
    for (const auto& mode : ListGraphicsModes()) {
        if ((width == 0 || mode.width == width) && (height == 0 || mode.height == height) &&
            (depth == 0 || mode.depth == depth) && (hertz == 0 || mode.hertz == hertz)) {
            return 1;
        }
    }
    return 0;
}

std::shared_ptr<TGraphics> CreateGraphicsContext(int32_t width, int32_t height, int32_t depth,
                                                 int32_t hertz, int32_t flags) {
    auto& state = State();
    state.failure.clear();
    if (!state.driver) {
        state.failure = u"no graphics driver";
        return nullptr;
    }
    try {
        return state.driver->CreateGraphics(width, height, depth, hertz,
                                            flags | state.defaultFlags);
    } catch (const TRuntimeError& error) {
        state.failure = error.Message();
    } catch (...) {
    }
    return nullptr;
}

const Text& GraphicsFailure() {
    return State().failure;
}

void CloseGraphicsContext(std::shared_ptr<TGraphics> graphics) {
    if (!graphics) {
        return;
    }
    auto& state = State();
    if (graphics == state.opened) {
        state.opened = nullptr;
    }
    if (graphics == state.current) {
        SelectGraphics(nullptr);
    }
    graphics->Close();
}

void SelectGraphics(const std::shared_ptr<TGraphics>& graphics) {
    auto& state = State();
    if (!graphics) {
        if (state.driver && state.current) {
            state.driver->SetGraphics(nullptr);
        }
        state.current = nullptr;
        state.settings = TGraphicsSettings();
        return;
    }
    auto driver = graphics->Driver();
    if (driver != state.driver) {
        ReplaceDriver(state, std::move(driver));
    }
    state.settings = graphics->GetSettings();
    state.driver->SetGraphics(graphics);
    state.current = graphics;
}

const std::shared_ptr<TGraphics>& CurrentGraphics() {
    return State().current;
}

int32_t GraphicsWidth() {
    return State().settings.width;
}

int32_t GraphicsHeight() {
    return State().settings.height;
}

int32_t GraphicsDepth() {
    return State().settings.depth;
}

int32_t GraphicsHertz() {
    return State().settings.hertz;
}

int32_t GraphicsFlags() {
    return State().settings.flags;
}

std::shared_ptr<TGraphics> OpenGraphics(int32_t width, int32_t height, int32_t depth, int32_t hertz,
                                        int32_t flags) {
    EndGraphics();
    auto graphics = CreateGraphicsContext(width, height, depth, hertz, flags);
    if (!graphics) {
        return nullptr;
    }
    auto& state = State();
    BumpContextGeneration();
    SelectGraphics(graphics);

    if (depth == 0) {
        // A window cannot wait for the retrace reliably: it keeps its own pace.
        state.vsyncPacing = false;
        state.softSync = hertz != 0;
    } else {
        state.softSync = false;
        state.vsyncPacing = hertz != 0;
        if (const auto& system = SystemDriver()) {
            system->MoveMouse(width / 2, height / 2);
        }
    }
    if (state.softSync) {
        state.pacer.Start(hertz);
    }

    StartInputTracking(nullptr);
    state.opened = graphics;
    if (!state.exitHandlerAdded) {
        state.exitHandlerAdded = true;
        AddExitHandler(EndGraphics);
    }
    return graphics;
}

void EndGraphics() {
    auto& state = State();
    if (!state.opened) {
        return;
    }
    BumpContextGeneration();
    StopInputTracking();
    CloseGraphicsContext(state.opened);
}

void PresentFrame(int32_t sync) {
    CallHookChain(FlipHook(), nullptr);
    auto& state = State();
    if (sync != -1) {
        Flip(sync);
    } else if (!state.opened || state.current != state.opened) {
        Flip(1);
    } else if (state.softSync) {
        // The sleep comes before the swap, so the frame shows at its slot.
        state.pacer.WaitForNextFrame();
        Flip(0);
    } else {
        Flip(state.vsyncPacing ? 1 : 0);
    }
}

int32_t ContextGeneration() {
    return static_cast<int32_t>(State().generation);
}

int32_t FlipHook() {
    static const int32_t hookId = NewHookId();
    return hookId;
}
