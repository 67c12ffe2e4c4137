#include "system/program_exit.h"
#include "system/program_startup.h"

#include <unistd.h>

// The page's program has no file of its own: it is given one in a folder of
// its in-memory file system, where its pictures and sounds are unpacked
// beside it (cmake/WebSite.cmake). Crashes and the end of the page are the
// browser's to report; there are no signals.
void StartProgram(int, char**, const std::function<void()>& program) {
    SetProgramPath(u"/sewer-run/sewer-run");
    // A directory that cannot be entered leaves the working one as it was.
    const int ignored = chdir("/sewer-run");
    (void)ignored;
    RunProgram(program);
}
