#include "system/crash_signals.h"
#include "system/program_exit.h"
#include "system/program_startup.h"
#include "system/termination_signals.h"
#include "util/win32/wide_text.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

bool IsUsable(HANDLE handle) {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// The game is a windowed program, so Windows gives it no console. Started
// from a pipe or a file it inherits those as its standard handles; started
// from a console it shares that console, so that Ctrl+C there reaches it, and
// writes there whatever has no handle of its own. Started from the desktop
// there is neither, and its lines go nowhere.
void ConnectStandardStreams() {
    const bool outputMissing = !IsUsable(GetStdHandle(STD_OUTPUT_HANDLE));
    const bool errorMissing = !IsUsable(GetStdHandle(STD_ERROR_HANDLE));
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        if (outputMissing) {
            (void)std::freopen("CONOUT$", "w", stdout);
        }
        if (errorMissing) {
            (void)std::freopen("CONOUT$", "w", stderr);
        }
    }
    // The lines already end in CR LF; text mode would add another CR.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return std::wstring();
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        // Cut short: a longer buffer, until it fits.
        path.resize(path.size() * 2);
    }
}

} // namespace

void StartProgram(int, char**, const std::function<void()>& program) {
    InstallCrashSignalHandlers();
    ConnectStandardStreams();
    InstallTerminationSignalHandlers();

    std::wstring path = ModulePath();
    std::replace(path.begin(), path.end(), L'\\', L'/');
    SetProgramPath(WideToText(path));
    const std::wstring directory = ProgramDirectoryOfPath(path);
    if (!directory.empty()) {
        // A directory that cannot be entered leaves the working one as it was.
        SetCurrentDirectoryW(directory.c_str());
    }

    // Sleeps and the millisecond clock are exact to 1 ms for the whole run,
    // as the frame pacing needs; the system's default is about 15 ms.
    timeBeginPeriod(1);
    AddExitHandler([] { timeEndPeriod(1); });
    RunProgram(program);
}
