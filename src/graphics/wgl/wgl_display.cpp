#include "graphics/wgl/wgl_display.h"

#include "util/utf8.h"
#include "util/win32/wide_text.h"

#include <windows.h>

#include <string>

namespace {

// Wine's own library answers to a name that Windows' never has.
bool RunsUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Wine hands the Linux environment on, the X display among it.
Text EnvironmentValue(const wchar_t* name) {
    std::wstring value(256, L'\0');
    const DWORD length = GetEnvironmentVariableW(name, value.data(), value.size());
    if (length == 0 || length >= value.size()) {
        return Text();
    }
    value.resize(length);
    return WideToText(value);
}

Text ObjectName(HANDLE object) {
    wchar_t name[256] = {};
    DWORD needed = 0;
    if (!GetUserObjectInformationW(object, UOI_NAME, name, sizeof(name) - sizeof(wchar_t),
                                   &needed)) {
        return u"?";
    }
    return WideToText(name);
}

} // namespace

Text WhyNoWindow(uint32_t error) {
    if (RunsUnderWine()) {
        const Text display = EnvironmentValue(L"DISPLAY");
        if (display.empty()) {
            return u"no display (DISPLAY is not set)";
        }
        return u"display \"" + display + u"\" cannot be reached";
    }
    const Text desktop = ObjectName(GetProcessWindowStation()) + u"\\" +
                         ObjectName(GetThreadDesktop(GetCurrentThreadId()));
    return u"desktop \"" + desktop + u"\" takes no window (error " +
           Utf8ToText(std::to_string(error)) + u")";
}
