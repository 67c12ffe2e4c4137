#include "system/termination_signals.h"

#include "system/program_exit.h"

#include <signal.h>

#include <array>

namespace {

constexpr std::array<int, 2> TerminationSignals{SIGINT, SIGTERM};

volatile sig_atomic_t Pending = 0;
// Set once the program has begun to end for the signal: the exit handlers
// pump events too, and must not start the ending again. The signal stays
// pending meanwhile, so that another one still ends the process at once.
bool Ending = false;

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

void EndProgramOnTerminationSignal() {
    if (const int number = Pending; number != 0 && !Ending) {
        Ending = true;
        EndProgramWithStatus(128 + number);
    }
}
