#include "io/directory.h"
#include "temp_directory.h"
#include "util/runtime_error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

TEST(DirectoryListing, YieldsEveryEntryThenTheEmptyText) {
    TTempDirectory dir;
    dir.WriteFile("a.png", "");
    dir.WriteFile("\xC3\xA9.png", "");
    auto handle = DirOpen(dir.TextPath() + u"/");
    ASSERT_TRUE(handle);
    std::set<Text> names;
    for (Text name = DirNextName(handle); !name.empty(); name = DirNextName(handle)) {
        names.insert(name);
    }
    names.erase(u".");
    names.erase(u"..");
    EXPECT_EQ(names, (std::set<Text>{u"a.png", u"\u00E9.png"}));
    EXPECT_EQ(DirNextName(handle), u"");
    DirClose(handle);
    EXPECT_FALSE(handle);
    EXPECT_EQ(DirNextName(handle), u"");
}

TEST(DirectoryListing, OpensOnlyExistingDirectories) {
    TTempDirectory dir;
    dir.WriteFile("file.txt", "x");
    EXPECT_FALSE(DirOpen(u""));
    EXPECT_FALSE(DirOpen(dir.TextPath("file.txt")));
    EXPECT_FALSE(DirOpen(dir.TextPath("missing")));
    EXPECT_TRUE(DirOpen(u"/"));
}

TEST(WorkingDirectory, IsTheCurrentDirectoryWithSlashes) {
    const Text cwd = WorkingDirectory();
    const std::u8string current = std::filesystem::current_path().u8string();
    Text expected = Utf8ToText(std::string(current.begin(), current.end()));
    std::replace(expected.begin(), expected.end(), u'\\', u'/');
    EXPECT_EQ(cwd, expected);
    EXPECT_FALSE(cwd.ends_with(u'/') && cwd != u"/");
}

// A working directory that has been removed cannot be read; an empty text
// would send the game looking for its pictures under "/img/".
TEST(WorkingDirectory, RaisesARuntimeErrorWhenItCannotBeRead) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows does not let a process remove its working directory";
#endif
    const std::filesystem::path previous = std::filesystem::current_path();
    TTempDirectory dir;
    std::filesystem::create_directory(dir.Path("gone"));
    std::filesystem::current_path(dir.Path("gone"));
    std::filesystem::remove(dir.Path("gone"));
    try {
        WorkingDirectory();
        ADD_FAILURE() << "no error raised";
    } catch (const TRuntimeError& error) {
        EXPECT_EQ(error.Message(), u"could not read the working directory");
    }
    std::filesystem::current_path(previous);
}
