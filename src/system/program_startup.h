#pragma once

// Process start-up: the values fixed before the game's code runs, and the
// entry that the program's main() hands its work to.

#include "util/text.h"

#include <functional>

// The program file's full path, with symbolic links resolved.
const Text& ProgramPath();
// The directory of ProgramPath (see ProgramDirectoryOf); start-up makes it the
// working directory, so relative asset paths resolve beside the program.
const Text& ProgramDirectory();
// The application's title, the caption of its window.
const Text& ProgramTitle();
void SetProgramTitle(const Text& title);

inline constexpr char16_t DefaultProgramTitle[] = u"Strato Application";

// The part of a program path before its last "/". A program in a root keeps
// the root's "/" ("/game" gives "/", "C:/game.exe" gives "C:/"); a path with
// no "/" gives the empty text.
Text ProgramDirectoryOf(const Text& path);

// The same rule on a path in the platform's own characters.
template <typename String>
String ProgramDirectoryOfPath(const String& path) {
    const size_t slash = path.rfind('/');
    if (slash == String::npos) {
        return String();
    }
    if (slash == 0 || path[slash - 1] == ':') {
        return path.substr(0, slash + 1);
    }
    return path.substr(0, slash);
}

// Records the program file's path ("/" separators) and so its directory, and
// sets the default title: the platform's start-up does this first.
void SetProgramPath(const Text& path);

// Runs the platform's start-up (crash reporting, the termination requests of
// a terminal, the program's path and directory, the working directory changed
// to it, the default title) and then `program`, ending the process as
// RunProgram does: status 0 when `program` returns, 255 after an uncaught
// runtime error. Never returns.
[[noreturn]] void StartProgram(int argc, char** argv, const std::function<void()>& program);
