// The title screen, the opening messages and the minimap, drawn through a
// driver that only records, with keys from a scripted system driver.

#include "audio/channel.h"
#include "audio/sound.h"
#include "fake_system_driver.h"
#include "game/globals.h"
#include "game/screens.h"
#include "golden_recorders.h"
#include "graphics/graphics_context.h"
#include "pixmap/pixel_format.h"
#include "pixmap/pixmap.h"
#include "pixmap/png_writer.h"
#include "program_directory.h"
#include "system/input_state.h"
#include "system/key_codes.h"
#include "util/runtime_error.h"
#include "world/city.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>

namespace {

// The screens' sound calls, reported on standard error so that a screen that
// ends the process can still be observed.
class TReportingChannel : public TChannel {
public:
    explicit TReportingChannel(std::string name) : _name(std::move(name)) {}
    void Stop() override { std::fprintf(stderr, "%s stopped;", _name.c_str()); }
    void SetRate(float rate) override { std::fprintf(stderr, "%s rate %g;", _name.c_str(), rate); }

private:
    std::string _name;
};

class TReportingSound : public TSound {
public:
    std::shared_ptr<TChannel> Play(const std::shared_ptr<TChannel>& channel) override {
        std::fputs("crash played;", stderr);
        return channel;
    }
};

class ScreensTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(programDirectory.Path("img"));
        SetSystemDriver(keys);
        SelectGraphicsDriver(drawing, ContextDoubleBuffer);
        ASSERT_TRUE(OpenGraphics(800, 600, 0, 0, 0));
        drawing->calls.clear();
    }

    void TearDown() override {
        EndGraphics();
        SelectGraphicsDriver(nullptr, 0);
        SetSystemDriver(nullptr);
    }

    void WritePicture(const std::string& name) {
        const auto picture = CreatePixmap(160, 120, FormatRGB888);
        picture->ClearPixels(0xFF204060);
        ASSERT_TRUE(SavePixmapPNG(*picture, Text(u"img/") + Text(name.begin(), name.end()), 6));
    }

    int Count(const std::string& prefix) const {
        return static_cast<int>(
            std::count_if(drawing->calls.begin(), drawing->calls.end(),
                          [&](const std::string& call) { return call.rfind(prefix, 0) == 0; }));
    }

    TScratchProgramDirectory programDirectory;
    std::shared_ptr<TFakeSystemDriver> keys = std::make_shared<TFakeSystemDriver>();
    std::shared_ptr<TFrameEndingDraw2DDriver> drawing =
        std::make_shared<TFrameEndingDraw2DDriver>();
};

} // namespace

TEST_F(ScreensTest, TitleReturnsOnSpaceAndLeavesAWaitingEscapeForTheFrameLoop) {
    WritePicture("logo.png");
    keys->Queue(EventKeyDown, KeySpace);
    keys->Queue(EventKeyDown, KeyEscape);
    EXPECT_EQ(TitleScreen(), 0);
    EXPECT_EQ(Count("Frame 1 Draw"), 1) << "the logo is drawn once before Space is seen";
    EXPECT_EQ(Count("Flip"), 0) << "the pass that sees Space presents nothing";
    EXPECT_EQ(TakeKeyPresses(KeyEscape), 1);
}

TEST_F(ScreensTest, EscapeOnTheTitleEndsTheProgramWithStatusZero) {
    WritePicture("logo.png");
    EXPECT_EXIT(
        {
            keys->Queue(EventKeyDown, KeyEscape);
            TitleScreen();
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(ScreensTest, AMissingScreenPictureIsAFatalError) {
    try {
        TitleScreen();
        FAIL() << "the title ran without its picture";
    } catch (const TRuntimeError& error) {
        EXPECT_EQ(error.Message(), u"cant find image");
    }
    EXPECT_THROW(WinScreen(), TRuntimeError);
    EXPECT_THROW(LoseScreen(), TRuntimeError);
}

TEST_F(ScreensTest, LoseScreenSilencesTheEngineAndRumblesTheCrashOnceUntilEscape) {
    WritePicture("end.png");
    EngineChannel = std::make_shared<TReportingChannel>("engine");
    CrashChannel = std::make_shared<TReportingChannel>("crash");
    CrashSound = std::make_shared<TReportingSound>();
    keys->Later(EventKeyDown, KeySpace);
    keys->Queue(EventKeyDown, KeyEscape);
    EXPECT_EXIT(LoseScreen(), ::testing::ExitedWithCode(0),
                "^engine stopped;crash rate 0.2;crash played;$");
}

TEST_F(ScreensTest, WinScreenSilencesTheEngineAndWaitsForEscape) {
    WritePicture("win.png");
    EngineChannel = std::make_shared<TReportingChannel>("engine");
    keys->Queue(EventKeyDown, KeySpace);
    keys->Queue(EventKeyDown, KeyEscape);
    EXPECT_EXIT(WinScreen(), ::testing::ExitedWithCode(0), "^engine stopped;$");
}

TEST_F(ScreensTest, SpaceOnAnEndScreenAsksForAnotherGameAndLeavesAWaitingEscape) {
    WritePicture("end.png");
    WritePicture("win.png");
    for (const auto& screen : {LoseScreen, WinScreen}) {
        drawing->calls.clear();
        // Space and Escape both pressed while the screen shows its first pass.
        drawing->frameEnded = [this] {
            keys->Queue(EventKeyDown, KeySpace);
            keys->Queue(EventKeyDown, KeyEscape);
        };
        EXPECT_THROW(screen(), TPlayAgain);
        drawing->frameEnded = nullptr;
        EXPECT_EQ(Count("Flip"), 1) << "the pass that sees Space presents nothing";
        EXPECT_EQ(TakeKeyPresses(KeyEscape), 1) << "left for the frame loop";
        keys->Queue(EventKeyUp, KeySpace);
        keys->Queue(EventKeyUp, KeyEscape);
    }
}

TEST_F(ScreensTest, SpacePressedBeforeAnEndScreenOpenedDoesNotSkipIt) {
    WritePicture("end.png");
    int passes = 0;
    drawing->frameEnded = [&] {
        if (++passes == 3) {
            keys->Queue(EventKeyDown, KeyEscape);
        }
    };
    EXPECT_EXIT(
        {
            keys->Queue(EventKeyDown, KeySpace);
            keys->Queue(EventKeyUp, KeySpace);
            LoseScreen();
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(ScreensTest, StartMessagesAreRedAndLeaveWhite) {
    DrawStartMessages();
    ASSERT_FALSE(drawing->calls.empty());
    EXPECT_EQ(drawing->calls.front(), "SetColor 255 0 0");
    EXPECT_EQ(drawing->calls.back(), "SetColor 255 255 255");
    EXPECT_EQ(Count("Frame"), 34) << "one glyph per character of both messages";
}

TEST_F(ScreensTest, MiniMapMarksStartSewerAndTheCarBetweenCells) {
    StartPoint = {4, 36};
    SewerPoint = {36, 4};
    DrawMiniMapOverlay(100.0f, 2000.0f);
    const std::vector<std::string> rects = [&] {
        std::vector<std::string> found;
        for (const auto& call : drawing->calls) {
            if (call.rfind("DrawRect", 0) == 0 || call.rfind("SetColor", 0) == 0) {
                found.push_back(call);
            }
        }
        return found;
    }();
    EXPECT_EQ(rects, (std::vector<std::string>{"SetColor 0 0 255", "DrawRect 0 0 1 1 4 36",
                                               "SetColor 255 0 0", "DrawRect 0 0 1 1 36 4",
                                               "SetColor 0 255 0", "DrawRect 0 0 1 1 1.5625 31.25",
                                               "SetColor 255 255 255"}));
}
