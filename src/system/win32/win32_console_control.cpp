#include "system/termination_signals.h"

#include <windows.h>

#include <atomic>
#include <csignal>

// Ctrl+C and Ctrl+Break in the console the program was started from, and
// the console's closing, are the terminal's requests to end on Windows. They
// are recorded under the numbers of the signals they stand for (SIGINT and
// SIGTERM), so that the program ends with the same statuses as on Linux.

namespace {

std::atomic<int> Pending{0};
DWORD MainThread = 0;

bool EndsTheSession(DWORD type) {
    return type == CTRL_CLOSE_EVENT || type == CTRL_LOGOFF_EVENT || type == CTRL_SHUTDOWN_EVENT;
}

// Windows runs this on a thread of its own.
BOOL WINAPI RecordControl(DWORD type) {
    const int number = EndsTheSession(type) ? SIGTERM : SIGINT;
    int none = 0;
    if (!Pending.compare_exchange_strong(none, number)) {
        // A second request while the first waits for the pump: the program
        // has stopped pumping, so it ends at once.
        TerminateProcess(GetCurrentProcess(), 128 + number);
    }
    // Wakes a pump that sleeps in its wait for messages.
    PostThreadMessageW(MainThread, WM_NULL, 0, 0);
    if (EndsTheSession(type)) {
        // Windows ends the process as soon as this returns; the main thread
        // ends it first, through its exit handlers, and this thread with it.
        Sleep(INFINITE);
    }
    return TRUE;
}

} // namespace

void InstallTerminationSignalHandlers() {
    MainThread = GetCurrentThreadId();
    SetConsoleCtrlHandler(RecordControl, TRUE);
}

int PendingTerminationSignal() {
    return Pending;
}
