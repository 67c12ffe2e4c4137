#include "system/crash_signals.h"

#include <signal.h>
#include <unistd.h>

#include <array>
#include <cstring>

namespace {

struct TCrashSignal {
    int number;
    const char* line;
};

constexpr std::array<TCrashSignal, 4> CrashSignals{{
    {SIGSEGV, "SIGSEGV\n"},
    {SIGBUS, "SIGBUS\n"},
    {SIGFPE, "SIGFPE\n"},
    {SIGILL, "SIGILL\n"},
}};

// Only async-signal-safe calls here: write(2) and _exit(2).
void ReportCrash(int number) {
    for (const auto& crash : CrashSignals) {
        if (crash.number == number) {
            const ssize_t ignored = write(STDERR_FILENO, crash.line, std::strlen(crash.line));
            (void)ignored;
        }
    }
    _exit(128 + number);
}

// A stack overflow arrives as SIGSEGV with no stack left to run a handler on,
// so the handler gets a stack of its own.
void UseAlternateSignalStack() {
    static std::array<char, 64 * 1024> stack;
    stack_t alternate{};
    alternate.ss_sp = stack.data();
    alternate.ss_size = stack.size();
    sigaltstack(&alternate, nullptr);
}

} // namespace

void InstallCrashSignalHandlers() {
    UseAlternateSignalStack();
    struct sigaction action {};
    action.sa_handler = ReportCrash;
    action.sa_flags = SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (const auto& crash : CrashSignals) {
        sigaction(crash.number, &action, nullptr);
    }
}
