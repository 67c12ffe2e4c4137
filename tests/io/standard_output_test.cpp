#include "io/standard_output.h"
#include "temp_directory.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdio_ext.h>
#include <unistd.h>

#include <cstdio>

namespace {

// Points the process's standard output at `path` for its lifetime.
class TRedirectedStdout {
public:
    explicit TRedirectedStdout(const char* path, int flags) {
        std::fflush(stdout);
        _saved = dup(STDOUT_FILENO);
        const int fd = open(path, flags, 0600);
        dup2(fd, STDOUT_FILENO);
        close(fd);
    }
    ~TRedirectedStdout() {
        // Whatever could not be written is dropped, not replayed later.
        __fpurge(stdout);
        std::clearerr(stdout);
        dup2(_saved, STDOUT_FILENO);
        close(_saved);
    }
    TRedirectedStdout(const TRedirectedStdout&) = delete;
    TRedirectedStdout& operator=(const TRedirectedStdout&) = delete;

private:
    int _saved;
};

} // namespace

TEST(PrintLine, WritesUtf8WithCrLf) {
    EXPECT_EQ(StandardOutput(), StandardOutput());
    EXPECT_EQ(StandardOutput()->Encoding(), TTextStream::UTF8);

    TTempDirectory dir;
    const std::string path = dir.Path("out.txt").string();
    {
        TRedirectedStdout redirect(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC);
        PrintLine(u"\u00E9");
    }
    EXPECT_EQ(dir.ReadFile("out.txt"), "\xC3\xA9\r\n");
}

TEST(PrintLine, DropsLinesThatCannotBeWritten) {
    // Longer than the C library's buffer, so the write itself fails.
    const Text longLine(100000, u'x');
    TRedirectedStdout redirect("/dev/full", O_WRONLY);
    EXPECT_NO_THROW(PrintLine(longLine));
    EXPECT_NO_THROW(PrintLine(u"next"));
}
