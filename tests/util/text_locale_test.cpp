#include "util/text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

// Settings files are written with a decimal point whatever the user's
// locale, so number reading must not follow the locale's own.
TEST(TextToFloatLocaleTest, ACommaLocaleChangesNothing) {
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the comma locale is made by the util-comma-locale test; run this through ctest";
    ASSERT_EQ(std::strtod("0,5", nullptr), 0.5) << "the locale's decimal point is not a comma";

    EXPECT_EQ(TextToFloat(u"0.25"), 0.25f);
    EXPECT_EQ(TextToFloat(u"-1.5e2"), -150.0f);
    EXPECT_EQ(TextToFloat(u"0,5"), 0.0f);
    EXPECT_EQ(TextToFloat(u"3,75"), 3.0f);
    std::setlocale(LC_ALL, "C");
}
