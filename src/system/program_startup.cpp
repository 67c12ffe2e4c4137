#include "system/program_startup.h"

#include "system/crash_signals.h"
#include "system/program_exit.h"
#include "system/termination_signals.h"
#include "util/utf8.h"

#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace {

struct TStartupValues {
    Text path;
    Text directory;
    Text title = DefaultProgramTitle;
};

TStartupValues& Values() {
    static TStartupValues values;
    return values;
}

// The same rule on the path's own bytes, so that a directory whose name is
// not valid UTF-8 can still be entered.
template <typename String>
String DirectoryOf(const String& path) {
    const size_t slash = path.rfind('/');
    if (slash == String::npos) {
        return String();
    }
    if (slash == 0 || path[slash - 1] == ':') {
        return path.substr(0, slash + 1);
    }
    return path.substr(0, slash);
}

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

const Text& ProgramPath() {
    return Values().path;
}

const Text& ProgramDirectory() {
    return Values().directory;
}

const Text& ProgramTitle() {
    return Values().title;
}

void SetProgramTitle(const Text& title) {
    Values().title = title;
}

Text ProgramDirectoryOf(const Text& path) {
    return DirectoryOf(path);
}

void StartProgram(int argc, char** argv, const std::function<void()>& program) {
    InstallCrashSignalHandlers();
    InstallTerminationSignalHandlers();
    // A reader that goes away (a closed pipe on standard output) must not kill
    // the game: the failed write is reported and the line dropped instead.
    signal(SIGPIPE, SIG_IGN);

    const std::string path = ExecutablePath(argc, argv);
    auto& values = Values();
    values.path = Utf8ToText(path);
    values.directory = ProgramDirectoryOf(values.path);
    const std::string directory = DirectoryOf(path);
    if (!directory.empty()) {
        // A directory that cannot be entered leaves the working one as it was.
        const int ignored = chdir(directory.c_str());
        (void)ignored;
    }
    values.title = DefaultProgramTitle;

    // Linux timers and sleeps are already fine-grained, so there is no timer
    // resolution to raise here and none to restore at exit.
    RunProgram(program);
}
