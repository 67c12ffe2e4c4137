#include "system/program_exit.h"
#include "system/program_startup.h"

#include <unistd.h>

// The page's program has no file of its own: it is named at the root of its
// file system, where its pictures and sounds are unpacked beside it. Crashes
// and the end of the page are the browser's to report; there are no signals.
void StartProgram(int, char**, const std::function<void()>& program) {
    constexpr char Path[] = "/sewer-run";
    SetProgramPath(u"/sewer-run");
    const int ignored = chdir(ProgramDirectoryOfPath(std::string(Path)).c_str());
    (void)ignored;
    RunProgram(program);
}
