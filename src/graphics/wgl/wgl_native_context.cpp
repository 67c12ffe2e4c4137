#include "graphics/graphics_flags.h"
#include "graphics/native/native_context.h"
#include "graphics/native/native_context_registry.h"
#include "graphics/wgl/wgl_display.h"
#include "system/program_exit.h"
#include "system/program_startup.h"
#include "system/win32/win32_system_driver.h"
#include "util/runtime_error.h"
#include "util/win32/wide_text.h"

#include <GL/gl.h>
#include <windows.h>

#include <algorithm>
#include <memory>

// The native half of the OpenGL graphics on Windows: windows of the class
// "Strato GLGraphics", each with its own device context and WGL context,
// kept as plain records behind integer handles.

namespace {

constexpr wchar_t WindowClassName[] = L"Strato GLGraphics";

// What a context was made as: a window of the program's own size, or a
// pop-up that owns the display mode while it has the focus.
enum class TWindowKind { Windowed = 2, FullScreen = 3 };

struct TNativeContext {
    TGraphicsSettings settings;
    TWindowKind kind = TWindowKind::Windowed;
    HWND window = nullptr;
    HDC deviceContext = nullptr;
    HGLRC glContext = nullptr;
    // The smallest client area the user can drag the window to.
    SIZE minimumClient{};
};

struct TNativeState {
    TNativeContextRegistry<TNativeContext> contexts;
    bool classRegistered = false;
    // The window that holds the display mode it set, or none.
    HWND fullScreenWindow = nullptr;
    // A display mode refused while a message was handled: raised at the next
    // flip, outside the window procedure.
    bool modeFailed = false;
};

// Deliberately never destroyed: graphics still open when the program ends
// close themselves during static destruction and must find it intact.
TNativeState& State() {
    static auto* state = new TNativeState;
    return *state;
}

TNativeContext* Find(int32_t handle) {
    return State().contexts.Find(handle);
}

TNativeContext* FindWindowContext(HWND window) {
    return State().contexts.FindIf(
        [window](const TNativeContext& context) { return context.window == window; });
}

constexpr DWORD WindowedStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD FullScreenStyle = WS_POPUP;

// The smallest window the user can make: one window pixel per logical unit
// of the game's surface.
constexpr LONG MinimumWindowWidth = 160;
constexpr LONG MinimumWindowHeight = 120;

// Sets the display mode of a full-screen context; false when the system
// refuses even the mode without its rate. Returns the swap interval to apply
// through `interval`.
bool SwitchDisplayMode(const TNativeContext& context, int32_t& interval) {
    DEVMODEA mode{};
    mode.dmSize = sizeof(DEVMODEA);
    mode.dmPelsWidth = static_cast<DWORD>(context.settings.width);
    mode.dmPelsHeight = static_cast<DWORD>(context.settings.height);
    mode.dmBitsPerPel = static_cast<DWORD>(context.settings.depth);
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    interval = 0;
    if (context.settings.hertz != 0) {
        mode.dmDisplayFrequency = static_cast<DWORD>(context.settings.hertz);
        mode.dmFields |= DM_DISPLAYFREQUENCY;
        interval = 1;
    }
    if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL) {
        return true;
    }
    if (context.settings.hertz != 0) {
        mode.dmFields &= ~DM_DISPLAYFREQUENCY;
        mode.dmDisplayFrequency = 0;
        interval = 0;
        return ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
    }
    return false;
}

void TakeDisplayMode(HWND window, const TNativeContext& context) {
    auto& state = State();
    int32_t interval = 0;
    if (SwitchDisplayMode(context, interval)) {
        state.fullScreenWindow = window;
    } else if (!state.fullScreenWindow) {
        state.modeFailed = true;
    }
    ApplySwapInterval(interval);
}

void GiveBackDisplayMode(HWND window) {
    auto& state = State();
    if (state.fullScreenWindow != window) {
        return;
    }
    ChangeDisplaySettingsA(nullptr, CDS_FULLSCREEN);
    ShowWindow(window, SW_MINIMIZE);
    ApplySwapInterval(0);
    state.fullScreenWindow = nullptr;
}

void KeepMinimumSize(const TNativeContext& context, MINMAXINFO& limits) {
    RECT frame{0, 0, context.minimumClient.cx, context.minimumClient.cy};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(context.window, GWL_STYLE)),
                       FALSE, 0);
    limits.ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TNativeContext* context = FindWindowContext(window);
    if (!context) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    TranslateWindowMessage(window, message, wParam, lParam);
    switch (message) {
    case WM_PAINT:
        ValidateRect(window, nullptr);
        return 0;
    case WM_SETFOCUS:
        if (context->kind == TWindowKind::FullScreen && State().fullScreenWindow != window) {
            TakeDisplayMode(window, *context);
        }
        return 0;
    case WM_KILLFOCUS:
    case WM_DESTROY:
        GiveBackDisplayMode(window);
        return 0;
    case WM_CLOSE:
        // The window stays: the close button is only a request to the program.
        return 0;
    case WM_SYSKEYDOWN:
        // Alt+F4 still closes (as a request); Alt and F10 open no menu.
        if (wParam == VK_F4) {
            break;
        }
        return 0;
    case WM_SYSCHAR:
        // Alt with a key would look for a menu that is not there, and beep.
        return 0;
    case WM_SYSCOMMAND:
        // No screen saver and no monitor power-down during play.
        if ((wParam & 0xFFF0) == SC_SCREENSAVE || (wParam & 0xFFF0) == SC_MONITORPOWER) {
            return 1;
        }
        break;
    case WM_GETMINMAXINFO:
        KeepMinimumSize(*context, *reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterWindowClass() {
    auto& state = State();
    if (state.classRegistered) {
        return;
    }
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(WNDCLASSEXW);
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    // The program's icon, when its resources carry one (as resource 1).
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = WindowClassName;
    if (RegisterClassExW(&windowClass) == 0) {
        // Without its class the program has no window at all.
        EndProgramWithStatus(RuntimeErrorExitStatus);
    }
    state.classRegistered = true;
}

// The minimum sizes of the pixel format: 1 bit of whatever a flag asks for,
// so that the nearest format the system has is chosen.
PIXELFORMATDESCRIPTOR PixelFormatFor(int32_t flags) {
    const auto bit = [flags](int32_t flag) -> BYTE { return (flags & flag) != 0 ? 1 : 0; };
    PIXELFORMATDESCRIPTOR format{};
    format.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    if ((flags & ContextDoubleBuffer) != 0) {
        format.dwFlags |= PFD_DOUBLEBUFFER;
    }
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 1;
    format.cAlphaBits = bit(ContextAlphaBits);
    format.cDepthBits = bit(ContextDepthBits);
    format.cStencilBits = bit(ContextStencilBits);
    format.cAccumBits = bit(ContextAccumBits);
    format.iLayerType = PFD_MAIN_PLANE;
    return format;
}

// The window's outer rectangle: a window centred on the desktop, or a
// pop-up at the screen's origin, either with the client size asked for.
RECT WindowRectangle(int32_t width, int32_t height, DWORD style, bool fullScreen) {
    RECT rectangle{0, 0, width, height};
    if (!fullScreen) {
        RECT desktop{};
        GetWindowRect(GetDesktopWindow(), &desktop);
        rectangle.left = desktop.right / 2 - width / 2;
        rectangle.top = desktop.bottom / 2 - height / 2;
        rectangle.right = rectangle.left + width;
        rectangle.bottom = rectangle.top + height;
    }
    AdjustWindowRectEx(&rectangle, style, FALSE, 0);
    return rectangle;
}

HWND OpenWindow(int32_t width, int32_t height, bool fullScreen) {
    const DWORD style = fullScreen ? FullScreenStyle : WindowedStyle;
    const RECT rectangle = WindowRectangle(width, height, style, fullScreen);
    HWND window = CreateWindowExW(0, WindowClassName, TextToWide(ProgramTitle()).c_str(), style,
                                  rectangle.left, rectangle.top, rectangle.right - rectangle.left,
                                  rectangle.bottom - rectangle.top, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (!window) {
        RaiseRuntimeError(WhyNoWindow(GetLastError()));
    }
    return window;
}

void MakeCurrent(const TNativeContext* context) {
    if (context) {
        wglMakeCurrent(context->deviceContext, context->glContext);
    } else {
        wglMakeCurrent(nullptr, nullptr);
    }
}

void Release(TNativeContext& context) {
    if (context.glContext) {
        wglDeleteContext(context.glContext);
        context.glContext = nullptr;
    }
    if (context.window) {
        DestroyWindow(context.window);
        context.window = nullptr;
    }
}

void RaiseIfModeFailed() {
    auto& state = State();
    if (state.modeFailed) {
        state.modeFailed = false;
        RaiseRuntimeError(u"GLGraphicsDriver failed to set display mode");
    }
}

} // namespace

int32_t CreateWindowContext(int32_t width, int32_t height, int32_t depth, int32_t hertz,
                            int32_t flags) {
    RegisterWindowClass();
    auto& state = State();
    auto context = std::make_unique<TNativeContext>();
    context->kind = depth != 0 ? TWindowKind::FullScreen : TWindowKind::Windowed;
    context->settings = {width, height, depth, hertz, flags};
    context->minimumClient = {std::min<LONG>(width, MinimumWindowWidth),
                              std::min<LONG>(height, MinimumWindowHeight)};
    context->window = OpenWindow(width, height, depth != 0);
    context->deviceContext = GetDC(context->window);

    const PIXELFORMATDESCRIPTOR request = PixelFormatFor(flags);
    const int format = ChoosePixelFormat(context->deviceContext, &request);
    if (format == 0 || !SetPixelFormat(context->deviceContext, format, &request) ||
        !(context->glContext = wglCreateContext(context->deviceContext))) {
        Release(*context);
        RaiseRuntimeError(u"no OpenGL pixel format fits the window");
    }

    TNativeContext& opened = *context;
    const int32_t handle = state.contexts.Add(std::move(context));
    // Shown once listed, so that its first messages (the focus, which takes a
    // full screen's display mode) reach the window procedure.
    ShowWindow(opened.window, SW_SHOW);
    if (state.modeFailed) {
        CloseNativeContext(handle);
        RaiseIfModeFailed();
    }
    return handle;
}

TGraphicsSettings NativeContextSettings(int32_t context) {
    const TNativeContext* found = Find(context);
    return found ? found->settings : TGraphicsSettings();
}

TDrawableSize NativeDrawableSize(int32_t context) {
    TDrawableSize size;
    if (const TNativeContext* found = Find(context)) {
        RECT client{};
        GetClientRect(found->window, &client);
        size = {client.right - client.left, client.bottom - client.top};
    }
    return size;
}

void SetNativePresentation(int32_t context, const TPresentation& presentation) {
    const TNativeContext* found = Find(context);
    // Under any other system driver (a test's fake) there is no pointer to map.
    const auto driver = CurrentWin32SystemDriver();
    if (!found || !driver || presentation.drawableWidth <= 0 || presentation.drawableHeight <= 0) {
        return;
    }
    driver->Translator().SetPointerMapping(found->window,
                                           {static_cast<double>(presentation.picture.x),
                                            static_cast<double>(presentation.picture.y),
                                            presentation.scaleX, presentation.scaleY});
}

void MakeNativeContextCurrent(int32_t context) {
    State().contexts.MakeCurrent(context, MakeCurrent);
}

void CloseNativeContext(int32_t context) {
    // Destroyed while still listed, so that its window procedure gives back
    // a display mode it holds.
    State().contexts.Close(context, MakeCurrent, Release);
}

void NativeFlip(int32_t sync) {
    RaiseIfModeFailed();
    const TNativeContext* current = State().contexts.Current();
    if (!current) {
        return;
    }
    // Set on every swap: another program (or a focus change) may have moved it.
    ApplySwapInterval(sync != 0 ? 1 : 0);
    SwapBuffers(current->deviceContext);
}

std::vector<TGraphicsMode> ListNativeModes(int32_t maxModes) {
    std::vector<TGraphicsMode> modes;
    DEVMODEA mode{};
    mode.dmSize = sizeof(DEVMODEA);
    for (DWORD i = 0; static_cast<int32_t>(modes.size()) < maxModes; ++i) {
        if (!EnumDisplaySettingsA(nullptr, i, &mode)) {
            break;
        }
        if (mode.dmBitsPerPel >= 16) {
            modes.push_back({static_cast<int32_t>(mode.dmPelsWidth),
                             static_cast<int32_t>(mode.dmPelsHeight),
                             static_cast<int32_t>(mode.dmBitsPerPel),
                             static_cast<int32_t>(mode.dmDisplayFrequency)});
        }
    }
    return modes;
}

void ApplySwapInterval(int32_t interval) {
    // Looked up every time: the address belongs to the current context's
    // driver. Without the extension the frames are paced by the soft pacing
    // alone.
    using TSwapInterval = BOOL(WINAPI*)(int);
    const auto address = wglGetProcAddress("wglSwapIntervalEXT");
    if (address) {
        reinterpret_cast<TSwapInterval>(reinterpret_cast<void*>(address))(interval);
    }
}
