#include "util/utf8.h"

#include <gtest/gtest.h>

TEST(Utf8Test, RoundTripsEveryPlane) {
    const Text text = u"a\u00E9\u20AC\U0001F600";
    const std::string utf8 = TextToUtf8(text);
    EXPECT_EQ(utf8, "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf8ToText(utf8), text);
}

TEST(Utf8Test, KeepsLoneSurrogatesThroughARoundTrip) {
    const Text lone = {u'x', static_cast<char16_t>(0xD800), u'y'};
    EXPECT_EQ(Utf8ToText(TextToUtf8(lone)), lone);
}

TEST(Utf8Test, ReplacesMalformedBytes) {
    EXPECT_EQ(Utf8ToText("a\xFF"
                         "b"),
              u"a\uFFFDb");
    EXPECT_EQ(Utf8ToText("\xC3"), u"\uFFFD") << "truncated at the end";
    EXPECT_EQ(Utf8ToText("\xE2\x82x"), u"\uFFFDx") << "truncated in the middle";
    EXPECT_EQ(Utf8ToText("\xC0\xAF"), u"\uFFFD\uFFFD") << "overlong lead";
    EXPECT_EQ(Utf8ToText("\xF4\x90\x80\x80"), u"\uFFFD") << "beyond U+10FFFF";
}
