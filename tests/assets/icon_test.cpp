// The desktop icon at every size of the icon theme: the game's own sewer
// picture, each of its pixels a sharp square block, never smoothed.

#include "asset_files.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::shared_ptr<TPixmap> LoadIcon(int size) {
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    return LoadPixmapFrom(
        Utf8ToText(std::string(SEWER_ICON_DIR) + "/" + folder + "/apps/" SEWER_APP_ID ".png"));
}

class IconSize : public testing::TestWithParam<int> {};

TEST_P(IconSize, IsTheSewerEnlargedPixelForPixel) {
    const int size = GetParam();
    const auto sewer = LoadPicture("sewer.png");
    const auto icon = LoadIcon(size);
    ASSERT_NE(sewer, nullptr);
    ASSERT_NE(icon, nullptr) << size;
    ASSERT_EQ(icon->width, size);
    ASSERT_EQ(icon->height, size);
    ASSERT_EQ(size % sewer->width, 0);
    const int factor = size / sewer->width;
    int mismatches = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            mismatches += icon->ReadPixel(x, y) != sewer->ReadPixel(x / factor, y / factor);
        }
    }
    EXPECT_EQ(mismatches, 0) << size;
}

INSTANTIATE_TEST_SUITE_P(ThemeSizes, IconSize, testing::Values(16, 32, 48, 64, 128, 256));

TEST(Icon, HasTransparentCornersAndAnOpaqueMiddle) {
    // A round manhole: the menu's background shows at the corners.
    const auto icon = LoadIcon(48);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(Alpha(icon->ReadPixel(0, 0)), 0u);
    EXPECT_EQ(Alpha(icon->ReadPixel(47, 47)), 0u);
    EXPECT_EQ(Alpha(icon->ReadPixel(24, 24)), 0xFFu);
}

} // namespace
