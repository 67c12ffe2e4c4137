#pragma once

// Reports a crash (invalid memory access, arithmetic fault, illegal
// instruction) as one line naming it on standard error: the signal on Linux
// ("SIGSEGV"), the exception's constant on Windows
// ("EXCEPTION_ACCESS_VIOLATION"). The process then ends with the status its
// system gives a crashed program: 128 + the signal number, or the exception's
// code. The exit handlers do not run: the process is in an unknown state, and
// the system releases its window and devices anyway.
void InstallCrashSignalHandlers();
