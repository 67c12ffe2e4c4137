#include "system/program_exit.h"
#include "system/termination_signals.h"

namespace {
// Set once the program has begun to end for the request: the exit handlers
// pump events too, and must not start the ending again. The request stays
// pending meanwhile, so that another one still ends the process at once.
bool Ending = false;
} // namespace

void EndProgramOnTerminationSignal() {
    if (const int number = PendingTerminationSignal(); number != 0 && !Ending) {
        Ending = true;
        EndProgramWithStatus(128 + number);
    }
}
