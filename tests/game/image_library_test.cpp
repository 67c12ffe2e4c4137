#include "game/image_library.h"
#include "io/directory.h"
#include "pixmap/pixmap.h"
#include "pixmap/png_writer.h"
#include "program_directory.h"
#include "util/random.h"
#include "util/runtime_error.h"
#include "util/utf8.h"
#include "world/city.h"
#include "world/road_map.h"
#include "world/tile_code.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

// The road tile codes, digits ascending.
const std::vector<std::string> TileCodes = {"1",  "2",  "12",  "3",  "13",  "23",  "123", "4",
                                            "14", "24", "124", "34", "134", "234", "1234"};

class LoadImageLibraryTest : public ::testing::Test {
protected:
    void SetUp() override { ImageLibrary.Clear(); }
    void TearDown() override { ImageLibrary.Clear(); }

    std::filesystem::path Img(const std::string& name = "") const {
        return program.Path("img") / name;
    }
    void MakeImgDirectory() const { std::filesystem::create_directories(Img()); }

    void WritePicture(const std::string& name, int32_t width, int32_t height, uint32_t argb) const {
        auto pixmap = CreatePixmap(width, height, FormatRGBA8888);
        pixmap->ClearPixels(argb);
        ASSERT_TRUE(SavePixmapPNG(*pixmap, Utf8ToText(Img(name).string()), 6));
    }
    void WriteBytes(const std::string& name, const std::string& bytes) const {
        std::ofstream(Img(name), std::ios::binary) << bytes;
    }

    // Runs LoadImageLibrary and returns what it printed.
    static std::string Load() {
        testing::internal::CaptureStdout();
        try {
            LoadImageLibrary();
        } catch (...) {
            testing::internal::GetCapturedStdout();
            throw;
        }
        return testing::internal::GetCapturedStdout();
    }

    static std::set<std::string> Keys() {
        std::set<std::string> keys;
        for (const Text& key : ImageLibrary.Keys()) {
            keys.insert(TextToUtf8(key));
        }
        return keys;
    }

    TScratchProgramDirectory program;
};

TEST_F(LoadImageLibraryTest, KeysEveryPngEntryByItsLowerCaseName) {
    MakeImgDirectory();
    WritePicture("R13.PNG", 64, 64, 0xFF123456);
    WritePicture("road.Png", 8, 4, 0x80FF0000);
    WritePicture(".png", 2, 2, 0xFF00FF00);
    WritePicture("r13.png.bak", 64, 64, 0xFF000000);
    WriteBytes("notes.txt", "not a picture");
    WriteBytes("readme", "nor this");
    WriteBytes("broken.png", "\x89PNG but nothing after");
    std::filesystem::create_directory(Img("folder.png"));

    const std::string printed = Load();
    EXPECT_EQ(printed, TextToUtf8(WorkingDirectory()) + "/img/\r\n");

    EXPECT_EQ(Keys(),
              (std::set<std::string>{"r13.png", "road.png", ".png", "broken.png", "folder.png"}));

    const auto tile = ImageLibrary.ValueForKey(u"r13.png");
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(tile->width, 64);
    EXPECT_EQ(tile->height, 64);
    EXPECT_EQ(tile->CountFrames(), 1);
    EXPECT_EQ(tile->flags, 0);
    EXPECT_EQ(tile->handle_x, 0.0f);
    EXPECT_EQ(tile->handle_y, 0.0f);
    EXPECT_EQ(tile->pixmaps[0]->ReadPixel(63, 63), 0xFF123456u);
    // With flags 0 nothing is masked: the translucent red stays as it is.
    const auto road = ImageLibrary.ValueForKey(u"road.png");
    ASSERT_NE(road, nullptr);
    EXPECT_EQ(road->width, 8);
    EXPECT_EQ(road->pixmaps[0]->ReadPixel(0, 0), 0x80FF0000u);
    // Lookups take the key as given: only the lower-case name finds it.
    EXPECT_EQ(ImageLibrary.ValueForKey(u"R13.PNG"), nullptr);
    // What could not be read is kept under its name with no picture.
    EXPECT_TRUE(ImageLibrary.Contains(u"broken.png"));
    EXPECT_EQ(ImageLibrary.ValueForKey(u"broken.png"), nullptr);
    EXPECT_TRUE(ImageLibrary.Contains(u"folder.png"));
    EXPECT_EQ(ImageLibrary.ValueForKey(u"folder.png"), nullptr);
}

TEST_F(LoadImageLibraryTest, ReplacesWhatTheTableHeldBefore) {
    MakeImgDirectory();
    WritePicture("r1.png", 4, 4, 0xFFFFFFFF);
    ImageLibrary.Insert(u"stale.png", TImage::Create(1, 1, 1, 0, 0, 0, 0));
    Load();
    EXPECT_EQ(Keys(), (std::set<std::string>{"r1.png"}));

    std::filesystem::remove(Img("r1.png"));
    WritePicture("r2.png", 4, 4, 0xFFFFFFFF);
    Load();
    EXPECT_EQ(Keys(), (std::set<std::string>{"r2.png"}));
}

TEST_F(LoadImageLibraryTest, AnImageDirectoryThatCannotBeListedIsFatal) {
    ImageLibrary.Insert(u"stale.png", TImage::Create(1, 1, 1, 0, 0, 0, 0));
    try {
        Load();
        FAIL() << "no error without an img directory";
    } catch (const TRuntimeError& error) {
        EXPECT_EQ(error.Message(), u"couldnt find image dir");
    }
    EXPECT_TRUE(ImageLibrary.IsEmpty());

    // A file where the directory should be cannot be listed either.
    std::ofstream(program.Path("img")) << "a file";
    try {
        Load();
        FAIL() << "no error with img a file";
    } catch (const TRuntimeError& error) {
        EXPECT_EQ(error.Message(), u"couldnt find image dir");
    }
}

TEST_F(LoadImageLibraryTest, AnEmptyDirectoryLeavesTheCityWithoutItsFirstTile) {
    MakeImgDirectory();
    Load();
    EXPECT_TRUE(ImageLibrary.IsEmpty());

    CreateCityGrids();
    SeedRandom(5);
    testing::internal::CaptureStdout();
    try {
        BuildWorld(ImageLibrary);
        testing::internal::GetCapturedStdout();
        FAIL() << "the city was built without tiles";
    } catch (const TRuntimeError& error) {
        testing::internal::GetCapturedStdout();
        // The roads are all carved before the first picture is looked up.
        Text firstCode;
        for (int32_t x = 1; x < CityWidth - 1 && firstCode.empty(); ++x) {
            for (int32_t y = 1; y < CityHeight - 1 && firstCode.empty(); ++y) {
                firstCode = RoadTileCode(RoadGrid, x, y);
            }
        }
        ASSERT_FALSE(firstCode.empty());
        EXPECT_EQ(error.Message(), u"missing image: r" + firstCode + u".png");
    }
}

TEST_F(LoadImageLibraryTest, TilePicturesOnDiskReachTheCityCells) {
    MakeImgDirectory();
    // Mixed-case names on disk: the builder asks for lower-case keys.
    for (size_t i = 0; i < TileCodes.size(); ++i) {
        const std::string name = (i % 2 ? "R" : "r") + TileCodes[i] + (i % 3 ? ".png" : ".PNG");
        WritePicture(name, 64, 64, 0xFF102030u + static_cast<uint32_t>(i));
    }
    Load();
    ASSERT_EQ(Keys().size(), TileCodes.size());

    CreateCityGrids();
    SeedRandom(2024);
    testing::internal::CaptureStdout();
    BuildWorld(ImageLibrary);
    testing::internal::GetCapturedStdout();

    int32_t tiles = 0;
    for (int32_t x = 0; x < CityWidth; ++x) {
        for (int32_t y = 0; y < CityHeight; ++y) {
            const auto& tile = TileImages(x, y);
            if (!tile) {
                continue;
            }
            ++tiles;
            const std::string code = TextToUtf8(RoadTileCode(RoadGrid, x, y));
            const auto index =
                std::find(TileCodes.begin(), TileCodes.end(), code) - TileCodes.begin();
            EXPECT_EQ(tile->pixmaps[0]->ReadPixel(32, 32),
                      0xFF102030u + static_cast<uint32_t>(index))
                << x << "," << y << " " << code;
        }
    }
    EXPECT_GT(tiles, 100);
}

} // namespace
