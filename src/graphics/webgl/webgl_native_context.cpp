#include "graphics/native/native_context.h"
#include "graphics/native/native_context_registry.h"
#include "util/runtime_error.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <memory>

namespace {

// The page's one canvas, which the page sizes to the picture (index.html).
constexpr char CanvasSelector[] = "#canvas";

struct TNativeContext {
    TGraphicsSettings settings;
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE webgl = 0;
    bool immediateModeReady = false;
};

TNativeContextRegistry<TNativeContext>& Contexts() {
    static auto* contexts = new TNativeContextRegistry<TNativeContext>;
    return *contexts;
}

EMSCRIPTEN_WEBGL_CONTEXT_HANDLE CreateWebGL2Context() {
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = false;
    attributes.depth = false;
    attributes.stencil = false;
    attributes.antialias = false;
    attributes.majorVersion = 2;
    attributes.minorVersion = 0;
    attributes.enableExtensionsByDefault = true;
    return emscripten_webgl_create_context(CanvasSelector, &attributes);
}

void MakeCurrent(TNativeContext* context) {
    emscripten_webgl_make_context_current(context ? context->webgl : 0);
    if (context && !context->immediateModeReady) {
        // The emulation of immediate mode sets itself up only for the
        // windows of Emscripten's own SDL and GLUT; glBegin draws nothing
        // until it has.
        EM_ASM({
            Module.useWebGL = true;
            GLImmediate.init();
        });
        context->immediateModeReady = true;
    }
}

} // namespace

int32_t CreateWindowContext(int32_t width, int32_t height, int32_t depth, int32_t hertz,
                            int32_t flags) {
    if (Contexts().FindIf([](const TNativeContext&) { return true; })) {
        RaiseRuntimeError(u"The page has one canvas, and a window is open on it already");
    }
    // The page learns the picture's size first, so that the canvas holds a
    // whole number of pictures from the first frame on.
    EM_ASM(
        {
            if (Module.pictureSize)
                Module.pictureSize($0, $1);
        },
        width, height);
    auto context = std::make_unique<TNativeContext>();
    context->webgl = CreateWebGL2Context();
    if (context->webgl <= 0) {
        RaiseRuntimeError(u"This browser cannot draw the game: it has no WebGL 2");
    }
    // A full screen is the browser's own (the page's button, F11 or
    // Alt+Return), so every context is a window on the page.
    context->settings = {width, height, depth, hertz, flags};
    return Contexts().Add(std::move(context));
}

TGraphicsSettings NativeContextSettings(int32_t context) {
    const TNativeContext* found = Contexts().Find(context);
    return found ? found->settings : TGraphicsSettings{};
}

TDrawableSize NativeDrawableSize(int32_t context) {
    if (!Contexts().Find(context)) {
        return {};
    }
    int width = 0;
    int height = 0;
    emscripten_get_canvas_element_size(CanvasSelector, &width, &height);
    return {width, height};
}

void SetNativePresentation(int32_t, const TPresentation&) {
    // The game reads no pointer on the page.
}

void MakeNativeContextCurrent(int32_t context) {
    Contexts().MakeCurrent(context, MakeCurrent);
}

void CloseNativeContext(int32_t context) {
    Contexts().Close(context, MakeCurrent, [](TNativeContext& closing) {
        emscripten_webgl_destroy_context(closing.webgl);
    });
}

void NativeFlip(int32_t) {
    // The browser shows what the canvas holds once the program hands control
    // back to it, and the retrace is the browser's: a frame is presented by
    // yielding, however late it is.
    if (Contexts().Current()) {
        emscripten_sleep(0);
    }
}

std::vector<TGraphicsMode> ListNativeModes(int32_t maxModes) {
    if (maxModes <= 0) {
        return {};
    }
    // The screen the page is shown on, as the one mode there is.
    const int width = EM_ASM_INT({ return screen.width | 0; });
    const int height = EM_ASM_INT({ return screen.height | 0; });
    return {TGraphicsMode{width, height, 32, 60}};
}

void ApplySwapInterval(int32_t) {
    // The browser presents at its own rate.
}
