#pragma once

// Ctrl+C (SIGINT) and SIGTERM end the program the way EndProgram does, with
// its exit handlers (graphics closed, audio stopped, a changed display mode
// given back), and the status 128 + the signal number that a shell expects.
// The handler itself only records the signal: the event pump, which every key
// query runs, ends the program at its next run. A second signal that comes
// before then ends the process at once, so a program that has stopped
// pumping can still be interrupted.
void InstallTerminationSignalHandlers();

// The signal received and not yet acted on, or 0.
int PendingTerminationSignal();

// Ends the program as above when a signal is pending; otherwise returns.
void EndProgramOnTerminationSignal();
