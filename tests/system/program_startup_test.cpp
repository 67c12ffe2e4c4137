#include "system/program_startup.h"
#include "util/runtime_error.h"
#include "util/utf8.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

TEST(ProgramStartupTest, TheDirectoryIsThePathUpToItsLastSlash) {
    EXPECT_EQ(ProgramDirectoryOf(u"/opt/sewer-run/bin/sewer-run"), u"/opt/sewer-run/bin");
    EXPECT_EQ(ProgramDirectoryOf(u"/opt/a.b/game"), u"/opt/a.b");
    // A program in a root keeps the root.
    EXPECT_EQ(ProgramDirectoryOf(u"/sewer-run"), u"/");
    EXPECT_EQ(ProgramDirectoryOf(u"C:/game.exe"), u"C:/");
    EXPECT_EQ(ProgramDirectoryOf(u"sewer-run"), u"");
    EXPECT_EQ(ProgramDirectoryOf(u""), u"");
}

namespace {

void Check(bool ok, const std::string& what) {
    if (!ok) {
        RaiseRuntimeError(Utf8ToText(what));
    }
}

std::string CurrentDirectory() {
    return std::filesystem::current_path().string();
}

} // namespace

TEST(ProgramStartupTest, StartingFromElsewhereWorksInTheProgramsDirectory) {
    const auto executable = std::filesystem::read_symlink("/proc/self/exe");
    const std::string path = executable.string();
    const std::string directory = executable.parent_path().string();
    EXPECT_EXIT(
        {
            Check(chdir("/") == 0, "chdir");
            SetProgramTitle(u"changed before start-up");
            StartProgram(0, nullptr, [&] {
                Check(TextToUtf8(ProgramPath()) == path, "path " + TextToUtf8(ProgramPath()));
                Check(TextToUtf8(ProgramDirectory()) == directory,
                      "directory " + TextToUtf8(ProgramDirectory()));
                Check(CurrentDirectory() == directory, "working directory " + CurrentDirectory());
                Check(ProgramTitle() == u"Strato Application", "title");
                SetProgramTitle(u"Sewer Run");
                Check(ProgramTitle() == u"Sewer Run", "new title");
            });
        },
        ::testing::ExitedWithCode(0), "^$");
}

TEST(ProgramStartupTest, ACrashSignalIsNamedOnStandardErrorAndFailsTheRun) {
    const struct {
        int number;
        const char* pattern;
    } crashes[] = {
        {SIGSEGV, "^SIGSEGV\n$"},
        {SIGBUS, "^SIGBUS\n$"},
        {SIGFPE, "^SIGFPE\n$"},
        {SIGILL, "^SIGILL\n$"},
    };
    for (const auto& crash : crashes) {
        EXPECT_EXIT(StartProgram(0, nullptr, [&] { raise(crash.number); }),
                    ::testing::ExitedWithCode(128 + crash.number), crash.pattern);
    }
}

namespace {

// A recursion the optimiser cannot flatten, deep enough to run out of stack.
volatile int RecursionLimit = 1 << 30;

int Recurse(int depth) {
    volatile char frame[512];
    frame[0] = static_cast<char>(depth);
    if (depth == RecursionLimit) {
        return 0;
    }
    return Recurse(depth + 1) + frame[0];
}

} // namespace

TEST(ProgramStartupTest, RealFaultsAreReportedTooEvenWithoutStack) {
    EXPECT_EXIT(StartProgram(0, nullptr,
                             [] {
                                 void* page = mmap(nullptr, 4096, PROT_NONE,
                                                   MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
                                 *static_cast<volatile int*>(page) = 1;
                             }),
                ::testing::ExitedWithCode(128 + SIGSEGV), "^SIGSEGV\n$");
    EXPECT_EXIT(StartProgram(0, nullptr, [] { Recurse(0); }),
                ::testing::ExitedWithCode(128 + SIGSEGV), "^SIGSEGV\n$");
}

TEST(ProgramStartupTest, AClosedPipeFailsTheWriteInsteadOfKillingTheProgram) {
    EXPECT_EXIT(StartProgram(0, nullptr,
                             [] {
                                 int ends[2];
                                 Check(pipe(ends) == 0, "pipe");
                                 close(ends[0]);
                                 Check(write(ends[1], "x", 1) == -1 && errno == EPIPE,
                                       "write succeeded");
                             }),
                ::testing::ExitedWithCode(0), "^$");
}
