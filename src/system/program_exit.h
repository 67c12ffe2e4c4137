#pragma once

// The registry of exit handlers and the two ways a program ends: normally
// (EndProgram, status 0) and by an uncaught runtime error (status 255).

#include <functional>

inline constexpr int RuntimeErrorExitStatus = 255; // the -1 of a failed run

// Handlers run once, last registered first, when the program ends by any of
// the routes below. Graphics, audio and timers register their shutdown here.
void AddExitHandler(std::function<void()> handler);
void RunExitHandlers();

// Ends the process at once with status 0, after the exit handlers.
[[noreturn]] void EndProgram();
// The same with another status (a signal's 128 + number, for instance).
[[noreturn]] void EndProgramWithStatus(int status);

// Runs `program` and ends the process: status 0 when it returns; when it
// raises a TRuntimeError, the message goes to standard error (no line break
// added) and the status is 255. The exit handlers run either way.
[[noreturn]] void RunProgram(const std::function<void()>& program);
