// The sprites and screens load through the game's own loader in the cell
// sizes the game cuts them into, and look the way the game turns them.

#include "asset_files.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

struct Cell {
    std::shared_ptr<TPixmap> strip;
    int x;
    int width;
    int height;

    uint32_t At(int px, int py) const { return strip->ReadPixel(x + px, py); }

    int OpaqueCount() const {
        int count = 0;
        for (int py = 0; py < height; ++py) {
            for (int px = 0; px < width; ++px) {
                count += Alpha(At(px, py)) != 0;
            }
        }
        return count;
    }

    std::vector<uint32_t> Pixels() const {
        std::vector<uint32_t> pixels;
        for (int py = 0; py < height; ++py) {
            for (int px = 0; px < width; ++px) {
                pixels.push_back(At(px, py));
            }
        }
        return pixels;
    }
};

std::vector<Cell> CutStrip(const std::string& name, int width, int height, int count) {
    const auto strip = LoadPicture(name);
    EXPECT_NE(strip, nullptr) << name;
    if (!strip) {
        return {};
    }
    EXPECT_EQ(strip->width, width * count) << name;
    EXPECT_EQ(strip->height, height) << name;
    std::vector<Cell> cells;
    for (int i = 0; i < count; ++i) {
        cells.push_back({strip, i * width, width, height});
    }
    return cells;
}

bool IsHeadlight(uint32_t argb) {
    return Alpha(argb) == 0xFF && Red(argb) > 200 && Green(argb) > 200 && Blue(argb) < 200;
}
bool IsTailLight(uint32_t argb) {
    return Alpha(argb) == 0xFF && Red(argb) > 180 && Green(argb) < 80 && Blue(argb) < 80;
}

TEST(Sprites, CarStripHasSixDistinctCarsFacingUp) {
    const auto cars = CutStrip("cars.png", 6, 11, 6);
    ASSERT_EQ(cars.size(), 6u);
    std::set<std::vector<uint32_t>> looks;
    for (size_t i = 0; i < cars.size(); ++i) {
        const Cell& car = cars[i];
        // Most of the cell is car: it also serves as every car's shadow.
        EXPECT_GT(car.OpaqueCount(), 6 * 11 * 3 / 4) << i;
        // Headlights in the top row, tail lights in the bottom one.
        bool front = false;
        bool back = false;
        for (int x = 0; x < 6; ++x) {
            front = front || IsHeadlight(car.At(x, 0));
            back = back || IsTailLight(car.At(x, 10));
        }
        EXPECT_TRUE(front) << i;
        EXPECT_TRUE(back) << i;
        looks.insert(car.Pixels());
    }
    EXPECT_EQ(looks.size(), 6u);
}

TEST(Sprites, PedestrianAndSmokeStripsHaveTheirFrames) {
    const auto pedestrian = CutStrip("pede.png", 8, 8, 2);
    ASSERT_EQ(pedestrian.size(), 2u);
    EXPECT_GT(pedestrian[0].OpaqueCount(), 10);
    EXPECT_GT(pedestrian[1].OpaqueCount(), 10);
    EXPECT_NE(pedestrian[0].Pixels(), pedestrian[1].Pixels());

    const auto smoke = CutStrip("smk.png", 8, 8, 4);
    ASSERT_EQ(smoke.size(), 4u);
    std::set<std::vector<uint32_t>> frames;
    for (const Cell& frame : smoke) {
        EXPECT_GT(frame.OpaqueCount(), 4);
        frames.insert(frame.Pixels());
    }
    EXPECT_EQ(frames.size(), 4u);
}

TEST(Sprites, ArrowIsSmallAndPointsUp) {
    const auto arrow = LoadPicture("arrow.png");
    ASSERT_NE(arrow, nullptr);
    // It circles the screen centre at 20 units, so it must stay well inside that.
    EXPECT_LE(arrow->width, 12);
    EXPECT_LE(arrow->height, 12);
    auto rowWidth = [&](int y) {
        int opaque = 0;
        for (int x = 0; x < arrow->width; ++x) {
            opaque += Alpha(arrow->ReadPixel(x, y)) != 0;
        }
        return opaque;
    };
    int widest = 0;
    for (int y = 1; y < arrow->height; ++y) {
        if (rowWidth(y) > rowWidth(widest)) {
            widest = y;
        }
    }
    EXPECT_GT(rowWidth(0), 0);
    EXPECT_LT(rowWidth(0), rowWidth(widest));
    EXPECT_LT(widest, arrow->height / 2 + 1) << "the head is at the top";
}

TEST(Sprites, SewerIsAFewUnitsAcross) {
    const auto sewer = LoadPicture("sewer.png");
    ASSERT_NE(sewer, nullptr);
    EXPECT_GE(sewer->width, 8);
    EXPECT_LE(sewer->width, 32);
    EXPECT_EQ(sewer->width, sewer->height);
}

// Mean brightness of a screen area, 0 ... 255.
double Brightness(const TPixmap& screen, int left, int top, int width, int height) {
    double sum = 0;
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) {
            const uint32_t pixel = screen.ReadPixel(x, y);
            sum += (Red(pixel) + Green(pixel) + Blue(pixel)) / 3.0;
        }
    }
    return sum / (width * height);
}

TEST(Screens, FillTheScreenAndLeaveTheGamesTextsReadable) {
    for (const std::string name : {"logo.png", "end.png", "win.png"}) {
        const auto screen = LoadPicture(name);
        ASSERT_NE(screen, nullptr) << name;
        EXPECT_EQ(screen->width, 160) << name;
        EXPECT_EQ(screen->height, 120) << name;
        int translucent = 0;
        for (int y = 0; y < 120; ++y) {
            for (int x = 0; x < 160; ++x) {
                translucent += Alpha(screen->ReadPixel(x, y)) != 0xFF;
            }
        }
        EXPECT_EQ(translucent, 0) << name;
    }
    // "You Lose!" in white at (31 ... 33, 11 ... 13), 9 glyphs of 8 x 16;
    // "You escaped!" in green at (10, 10), 12 glyphs.
    EXPECT_LT(Brightness(*LoadPicture("end.png"), 30, 10, 76, 20), 40.0);
    EXPECT_LT(Brightness(*LoadPicture("win.png"), 10, 10, 96, 16), 40.0);
}

// The pale pixels of the hint lettering in rows top .. top + 6 (7 rows high).
int LetteringPixels(const TPixmap& screen, int top) {
    int pale = 0;
    for (int y = top; y < top + 7; ++y) {
        for (int x = 0; x < screen.width; ++x) {
            const uint32_t pixel = screen.ReadPixel(x, y);
            pale += Red(pixel) > 180 && Green(pixel) > 180 ? 1 : 0;
        }
    }
    return pale;
}

TEST(Screens, EndPicturesNameTheKeysThatPlayAgainAndQuitBelowTheGamesText) {
    for (const std::string name : {"end.png", "win.png"}) {
        const auto screen = LoadPicture(name);
        ASSERT_NE(screen, nullptr) << name;
        // "SPACE: PLAY AGAIN" (14 letters) above "ESC: QUIT" (7 letters), on
        // a dark band that starts well below the game's 16-unit text at the top.
        EXPECT_GT(LetteringPixels(*screen, 100), 14 * 8) << name;
        EXPECT_GT(LetteringPixels(*screen, 110), 7 * 8) << name;
        EXPECT_GT(LetteringPixels(*screen, 100), LetteringPixels(*screen, 110)) << name;
        EXPECT_LT(Brightness(*screen, 0, 96, 160, 4), 60.0) << name;
    }
}

} // namespace
