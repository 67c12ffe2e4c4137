#include "graphics/native/native_context.h"

#include "graphics/graphics_flags.h"
#include "graphics/native/native_context_registry.h"
#include "graphics/native/video_subsystem.h"
#include "system/program_startup.h"
#include "system/sdl/sdl_system_driver.h"
#include "util/runtime_error.h"
#include "util/utf8.h"

#include <SDL.h>

#include <algorithm>
#include <memory>
#include <optional>

namespace {

struct TWindowDestroyer {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};

struct TGLContextDeleter {
    void operator()(void* context) const { SDL_GL_DeleteContext(context); }
};

using TWindowHandle = std::unique_ptr<SDL_Window, TWindowDestroyer>;
using TGLContextHandle = std::unique_ptr<void, TGLContextDeleter>;

struct TNativeContext {
    TGraphicsSettings settings;
    // Declared before the GL context, so the context goes first.
    TWindowHandle window;
    TGLContextHandle glContext;
};

// Deliberately never destroyed: graphics still open when the program ends
// close themselves during static destruction and must find it intact.
TNativeContextRegistry<TNativeContext>& Contexts() {
    static auto* contexts = new TNativeContextRegistry<TNativeContext>;
    return *contexts;
}

TNativeContext* Find(int32_t handle) {
    return Contexts().Find(handle);
}

// Started on first need, and tried again on the next if it failed (no
// display yet, for instance); `why` then names the display that was tried.
bool StartVideo(Text& why) {
    // A full screen gives the desktop its mode back and is minimised when
    // it loses the focus, and takes its mode again when it regains it.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "1");
    return StartVideoSubsystem(why);
}

int32_t BitsPerPixel(Uint32 format) {
    // The memory size of a pixel, as display modes are usually counted: a
    // mode of 24 colour bits in 32-bit pixels is a 32-bit mode.
    return SDL_BYTESPERPIXEL(format) * 8;
}

std::optional<SDL_DisplayMode> FindDisplayMode(int32_t width, int32_t height, int32_t depth,
                                               int32_t hertz) {
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode{};
        if (SDL_GetDisplayMode(0, i, &mode) == 0 && mode.w == width && mode.h == height &&
            BitsPerPixel(mode.format) == depth && (hertz == 0 || mode.refresh_rate == hertz)) {
            return mode;
        }
    }
    return std::nullopt;
}

// The minimum sizes of the pixel format: 1 bit of whatever a flag asks for,
// so that the nearest format the system has is chosen.
void RequestPixelFormat(int32_t flags) {
    const auto bit = [flags](int32_t flag) { return (flags & flag) != 0 ? 1 : 0; };
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 1);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 1);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 1);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, bit(ContextAlphaBits));
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, bit(ContextDepthBits));
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, bit(ContextStencilBits));
    SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, bit(ContextAccumBits));
    SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, bit(ContextAccumBits));
    SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, bit(ContextAccumBits));
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, bit(ContextDoubleBuffer));
    // The drawing layer uses OpenGL 1.x immediate mode, which only a
    // compatibility context keeps.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
}

// The smallest window the user can make: one window pixel per logical unit
// of the game's surface.
constexpr int MinimumWindowWidth = 160;
constexpr int MinimumWindowHeight = 120;

TWindowHandle OpenWindow(int32_t width, int32_t height, int32_t depth, int32_t hertz) {
    const std::string caption = TextToUtf8(ProgramTitle());
    if (depth == 0) {
        // The user may resize it or make it full screen on the desktop's own
        // mode; the frame is then scaled into it (see presentation.h).
        TWindowHandle window(SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED,
                                              SDL_WINDOWPOS_CENTERED, width, height,
                                              SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN |
                                                  SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI));
        if (window) {
            SDL_SetWindowMinimumSize(window.get(), std::min(width, MinimumWindowWidth),
                                     std::min(height, MinimumWindowHeight));
        }
        return window;
    }
    // The mode with the rate asked for, else the same mode at any rate.
    auto mode = FindDisplayMode(width, height, depth, hertz);
    if (!mode && hertz != 0) {
        mode = FindDisplayMode(width, height, depth, 0);
    }
    if (!mode) {
        RaiseRuntimeError(u"GLGraphicsDriver failed to set display mode");
    }
    TWindowHandle window(
        SDL_CreateWindow(caption.c_str(), 0, 0, width, height,
                         SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_FULLSCREEN));
    // The mode itself changes whenever the window is shown or gets the focus.
    if (window && SDL_SetWindowDisplayMode(window.get(), &*mode) != 0) {
        RaiseRuntimeError(u"GLGraphicsDriver failed to set display mode");
    }
    return window;
}

void MakeCurrent(const TNativeContext* context) {
    if (context) {
        SDL_GL_MakeCurrent(context->window.get(), context->glContext.get());
    } else {
        SDL_GL_MakeCurrent(nullptr, nullptr);
    }
}

} // namespace

int32_t CreateWindowContext(int32_t width, int32_t height, int32_t depth, int32_t hertz,
                            int32_t flags) {
    Text why;
    if (!StartVideo(why)) {
        RaiseRuntimeError(why);
    }
    RequestPixelFormat(flags);
    auto context = std::make_unique<TNativeContext>();
    // No window means no pixel format fitted the request either; the
    // caller's guard turns the error into no graphics, keeping SDL's reason.
    context->window = OpenWindow(width, height, depth, hertz);
    if (!context->window) {
        RaiseRuntimeError(Utf8ToText(SDL_GetError()));
    }
    context->glContext.reset(SDL_GL_CreateContext(context->window.get()));
    if (!context->glContext) {
        RaiseRuntimeError(Utf8ToText(SDL_GetError()));
    }
    // Creation made the new context current; the current one stays as it was.
    MakeCurrent(Contexts().Current());

    context->settings = {width, height, depth, hertz, flags};
    SDL_ShowWindow(context->window.get());
    return Contexts().Add(std::move(context));
}

TGraphicsSettings NativeContextSettings(int32_t context) {
    const TNativeContext* found = Find(context);
    return found ? found->settings : TGraphicsSettings();
}

TDrawableSize NativeDrawableSize(int32_t context) {
    TDrawableSize size;
    if (const TNativeContext* found = Find(context)) {
        SDL_GL_GetDrawableSize(found->window.get(), &size.width, &size.height);
    }
    return size;
}

void SetNativePresentation(int32_t context, const TPresentation& presentation) {
    const TNativeContext* found = Find(context);
    if (!found || presentation.drawableWidth <= 0 || presentation.drawableHeight <= 0) {
        return;
    }
    // Pointer positions come in the window's points, which are fewer than
    // its pixels on a display of high density.
    int pointsWide = 0;
    int pointsHigh = 0;
    SDL_GetWindowSize(found->window.get(), &pointsWide, &pointsHigh);
    const double pixelsPerPointX = presentation.drawableWidth / std::max(1.0, 1.0 * pointsWide);
    const double pixelsPerPointY = presentation.drawableHeight / std::max(1.0, 1.0 * pointsHigh);
    // Under any other system driver (a test's fake) there is no SDL pointer
    // to map.
    const auto driver = CurrentSDLSystemDriver();
    if (!driver) {
        return;
    }
    driver->SetPointerMapping(
        SDL_GetWindowID(found->window.get()),
        {presentation.picture.x / pixelsPerPointX, presentation.picture.y / pixelsPerPointY,
         presentation.scaleX / pixelsPerPointX, presentation.scaleY / pixelsPerPointY});
}

void MakeNativeContextCurrent(int32_t context) {
    Contexts().MakeCurrent(context, MakeCurrent);
}

void CloseNativeContext(int32_t context) {
    // The records' handles release the window and its context.
    Contexts().Close(context, MakeCurrent, [](TNativeContext&) {});
}

void NativeFlip(int32_t sync) {
    const TNativeContext* current = Contexts().Current();
    if (!current) {
        return;
    }
    // Set on every swap: another program (or a focus change) may have moved it.
    ApplySwapInterval(sync != 0 ? 1 : 0);
    SDL_GL_SwapWindow(current->window.get());
}

std::vector<TGraphicsMode> ListNativeModes(int32_t maxModes) {
    std::vector<TGraphicsMode> modes;
    if (Text why; !StartVideo(why)) {
        return modes;
    }
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count && static_cast<int32_t>(modes.size()) < maxModes; ++i) {
        SDL_DisplayMode mode{};
        if (SDL_GetDisplayMode(0, i, &mode) != 0) {
            break;
        }
        const int32_t depth = BitsPerPixel(mode.format);
        if (depth >= 16) {
            modes.push_back({mode.w, mode.h, depth, mode.refresh_rate});
        }
    }
    return modes;
}

void ApplySwapInterval(int32_t interval) {
    // Refused under some servers (a virtual framebuffer has no retrace): the
    // frames are then paced by the soft pacing alone.
    SDL_GL_SetSwapInterval(interval);
}
