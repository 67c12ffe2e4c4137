#pragma once

// Reports a crash (invalid memory access, arithmetic fault, illegal
// instruction) as one line naming the signal on standard error, and ends the
// process with status 128 + the signal number, the shell's convention for a
// process killed by a signal. The exit handlers do not run: the process is in
// an unknown state, and the system releases its window and devices anyway.
void InstallCrashSignalHandlers();
