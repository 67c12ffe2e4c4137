#pragma once

// The start-up of a program with a window, on the platform it is built for.

#include <functional>

// StartProgram (program_startup.h) with the platform's system driver
// installed before `program` runs, so that key and pointer queries read the
// platform's events from the program's first line on. A driver already
// installed (a test's fake) is kept.
[[noreturn]] void StartWindowedProgram(int argc, char** argv, const std::function<void()>& program);
