#include "system/crash_signals.h"
#include "system/program_exit.h"
#include "system/program_startup.h"
#include "system/termination_signals.h"
#include "util/utf8.h"

#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace {

// The kernel's link to the running executable is already free of symbolic
// links; without /proc the name the program was started by is the best guess.
std::string ExecutablePath(int argc, char** argv) {
    std::error_code error;
    auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        return path.string();
    }
    if (argc > 0 && argv[0]) {
        path = std::filesystem::weakly_canonical(std::filesystem::absolute(argv[0], error), error);
        if (!error) {
            return path.string();
        }
    }
    return std::string();
}

} // namespace

void StartProgram(int argc, char** argv, const std::function<void()>& program) {
    InstallCrashSignalHandlers();
    InstallTerminationSignalHandlers();
    // A reader that goes away (a closed pipe on standard output) must not kill
    // the game: the failed write is reported and the line dropped instead.
    signal(SIGPIPE, SIG_IGN);

    const std::string path = ExecutablePath(argc, argv);
    SetProgramPath(Utf8ToText(path));
    // The directory is entered by the path's own bytes, so that one whose
    // name is not valid UTF-8 can still be entered.
    const std::string directory = ProgramDirectoryOfPath(path);
    if (!directory.empty()) {
        // A directory that cannot be entered leaves the working one as it was.
        const int ignored = chdir(directory.c_str());
        (void)ignored;
    }

    // Linux timers and sleeps are already fine-grained, so there is no timer
    // resolution to raise here and none to restore at exit.
    RunProgram(program);
}
