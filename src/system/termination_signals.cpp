#include "system/termination_signals.h"

#include <signal.h>

#include <array>

namespace {

constexpr std::array<int, 2> TerminationSignals{SIGINT, SIGTERM};

volatile sig_atomic_t Pending = 0;

// Only async-signal-safe calls here.
void RecordSignal(int number) {
    if (Pending != 0) {
        signal(number, SIG_DFL);
        raise(number);
        return;
    }
    Pending = number;
}

} // namespace

void InstallTerminationSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = RecordSignal;
    sigemptyset(&action.sa_mask);
    for (const int number : TerminationSignals) {
        sigaction(number, &action, nullptr);
    }
}

int PendingTerminationSignal() {
    return Pending;
}
