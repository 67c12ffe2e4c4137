#pragma once

// The start-up of a program that reads its input from SDL.

#include <functional>

// StartProgram (program_startup.h) with the SDL system driver installed
// before `program` runs, so that key and pointer queries read SDL's queue from
// the program's first line on, whether or not a window has been opened yet. A
// driver already installed (a test's fake) is kept.
[[noreturn]] void StartSDLProgram(int argc, char** argv, const std::function<void()>& program);
