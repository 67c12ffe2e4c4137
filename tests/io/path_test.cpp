#include "io/path.h"

#include <gtest/gtest.h>

TEST(NormalizePath, TurnsBackslashesAndDropsTheTrailingSlashOfDirectories) {
    EXPECT_EQ(NormalizePath(u"C:\\Games\\x\\img\\", true), u"C:/Games/x/img");
    EXPECT_EQ(NormalizePath(u"C:\\Games\\x\\img\\", false), u"C:/Games/x/img/");
    EXPECT_EQ(NormalizePath(u"/home/me/img/", true), u"/home/me/img");
    EXPECT_EQ(NormalizePath(u"img", true), u"img");
}

TEST(NormalizePath, KeepsAndCompletesRoots) {
    EXPECT_EQ(NormalizePath(u"C:/", true), u"C:/");
    EXPECT_EQ(NormalizePath(u"/", true), u"/");
    EXPECT_EQ(NormalizePath(u"C:", false), u"C:/");
    EXPECT_EQ(NormalizePath(u"C:foo", false), u"C:/foo");
    EXPECT_EQ(NormalizePath(u"C:/foo", false), u"C:/foo");
    EXPECT_EQ(NormalizePath(u"//server", false), u"//server/");
    EXPECT_EQ(NormalizePath(u"\\\\server\\", true), u"//server/");
    EXPECT_EQ(NormalizePath(u"//server/share/", true), u"//server/share");
    // Not drives: a scheme separator, and a colon after the first slash.
    EXPECT_EQ(NormalizePath(u"utf8::x", false), u"utf8::x");
    EXPECT_EQ(NormalizePath(u"/tmp/a:b", false), u"/tmp/a:b");
}

TEST(PathRoot, RecognisesDriveSlashAndShareRoots) {
    EXPECT_EQ(PathRoot(u"C:/a/b"), u"C:/");
    EXPECT_EQ(PathRoot(u"/usr/x"), u"/");
    EXPECT_EQ(PathRoot(u"//srv/share/x"), u"//srv/");
    EXPECT_EQ(PathRoot(u"//srv"), u"");
    EXPECT_EQ(PathRoot(u"img/x"), u"");
    EXPECT_EQ(PathRoot(u"C:x"), u"");

    EXPECT_TRUE(IsPathRoot(u"C:/"));
    EXPECT_TRUE(IsPathRoot(u"/"));
    EXPECT_TRUE(IsPathRoot(u"//srv/"));
    EXPECT_FALSE(IsPathRoot(u"C:/a"));
    EXPECT_FALSE(IsPathRoot(u""));
}
