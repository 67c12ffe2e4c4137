#include "fake_graphics_driver.h"
#include "graphics/graphics_context.h"
#include "system/event.h"
#include "system/input_state.h"
#include "system/program_exit.h"
#include "system/system_driver.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

class TMouseRecorder : public TSystemDriver {
public:
    std::vector<std::pair<int32_t, int32_t>> moves;

    int32_t Poll() override { return 0; }
    int32_t Wait() override { return 0; }
    int32_t MoveMouse(int32_t x, int32_t y) override {
        moves.emplace_back(x, y);
        return 0;
    }
    int32_t SetMouseVisible(int32_t) override { return 0; }
};

class GraphicsContextTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetSystemDriver(system);
        SelectGraphicsDriver(driver, ContextDoubleBuffer);
    }

    void TearDown() override {
        EndGraphics();
        SelectGraphicsDriver(nullptr, 0);
        SetSystemDriver(nullptr);
    }

    std::vector<std::string>& Calls() { return driver->log->calls; }
    std::vector<int32_t>& Flips() { return driver->log->flips; }

    std::shared_ptr<TFakeGraphicsDriver> driver = std::make_shared<TFakeGraphicsDriver>();
    std::shared_ptr<TMouseRecorder> system = std::make_shared<TMouseRecorder>();
};

THookData CountFlip(int32_t, const THookData& data, const THookData& context) {
    ++*std::static_pointer_cast<int>(context);
    return data;
}

} // namespace

TEST_F(GraphicsContextTest, OpenGraphicsMakesTheWindowCurrentWithItsSettings) {
    const auto graphics = OpenGraphics(800, 600, 0, 60, 4);
    ASSERT_TRUE(graphics);
    EXPECT_EQ(CurrentGraphics(), graphics);
    EXPECT_EQ(GraphicsWidth(), 800);
    EXPECT_EQ(GraphicsHeight(), 600);
    EXPECT_EQ(GraphicsDepth(), 0);
    EXPECT_EQ(GraphicsHertz(), 60);
    // The driver's default flags are added to the ones asked for.
    EXPECT_EQ(GraphicsFlags(), 4 | ContextDoubleBuffer);
    EXPECT_EQ(Calls(), (std::vector<std::string>{"create g1 flags 6", "set"}));
    EXPECT_TRUE(system->moves.empty()); // a window leaves the pointer alone
}

TEST_F(GraphicsContextTest, ASecondOpenGraphicsClosesTheFirstBeforeMakingItsOwn) {
    const auto first = OpenGraphics(800, 600, 0, 60, 0);
    const int32_t firstGeneration = ContextGeneration();
    const auto second = OpenGraphics(640, 480, 0, 60, 0);
    ASSERT_TRUE(second);
    EXPECT_TRUE(std::static_pointer_cast<TFakeGraphics>(first)->closed);
    EXPECT_EQ(CurrentGraphics(), second);
    EXPECT_EQ(GraphicsWidth(), 640);
    EXPECT_NE(ContextGeneration(), firstGeneration);
    EXPECT_EQ(Calls(), (std::vector<std::string>{"create g1 flags 2", "set", "set none", "close g1",
                                                 "create g2 flags 2", "set"}));
}

TEST_F(GraphicsContextTest, AFailedCreationGivesNullAndLeavesNothingCurrent) {
    const auto first = OpenGraphics(800, 600, 0, 60, 0);
    driver->failure = TFakeGraphicsDriver::TFailure::Raise;
    EXPECT_EQ(OpenGraphics(1024, 768, 32, 60, 0), nullptr);
    // The error itself never reaches the caller, but its message is kept.
    EXPECT_EQ(GraphicsFailure(), u"GLGraphicsDriver failed to set display mode");
    EXPECT_TRUE(std::static_pointer_cast<TFakeGraphics>(first)->closed);
    EXPECT_EQ(CurrentGraphics(), nullptr);
    EXPECT_EQ(GraphicsWidth(), 0);
    EXPECT_EQ(GraphicsHertz(), 0);

    driver->failure = TFakeGraphicsDriver::TFailure::Null;
    EXPECT_EQ(OpenGraphics(800, 600, 0, 60, 0), nullptr);
    EXPECT_EQ(CreateGraphicsContext(800, 600, 0, 60, 0), nullptr);
    EXPECT_EQ(GraphicsFailure(), u"");

    SelectGraphicsDriver(nullptr, 0);
    EXPECT_EQ(OpenGraphics(800, 600, 0, 60, 0), nullptr);
    EXPECT_EQ(GraphicsFailure(), u"no graphics driver");
}

TEST_F(GraphicsContextTest, PresentFramePacesOnlyTheOpenedGraphics) {
    int flipHooks = 0;
    const auto counter = std::shared_ptr<int>(&flipHooks, [](int*) {});
    AttachHook(FlipHook(), CountFlip, counter, 0);

    // A window without a rate: no pace, no retrace.
    OpenGraphics(320, 200, 0, 0, 0);
    PresentFrame(-1);
    PresentFrame(0);
    PresentFrame(1);
    EXPECT_EQ(Flips(), (std::vector<int32_t>{0, 0, 1}));

    // A window with a rate keeps its own pace and never waits for the retrace.
    Flips().clear();
    OpenGraphics(320, 200, 0, 60, 0);
    PresentFrame(-1);
    PresentFrame(-1);
    EXPECT_EQ(Flips(), (std::vector<int32_t>{0, 0}));

    // A full screen with a rate waits for the retrace, and starts with the
    // pointer at the middle of the screen.
    Flips().clear();
    OpenGraphics(1025, 767, 32, 60, 0);
    PresentFrame(-1);
    EXPECT_EQ(Flips(), (std::vector<int32_t>{1}));
    EXPECT_EQ(system->moves, (std::vector<std::pair<int32_t, int32_t>>{{512, 383}}));

    // Graphics made apart from OpenGraphics always wait for the retrace.
    Flips().clear();
    const auto other = CreateGraphicsContext(100, 100, 0, 60, 0);
    SelectGraphics(other);
    PresentFrame(-1);
    EXPECT_EQ(Flips(), (std::vector<int32_t>{1}));
    CloseGraphicsContext(other);
    EXPECT_EQ(CurrentGraphics(), nullptr);

    DetachHook(FlipHook(), CountFlip, counter);
    EXPECT_EQ(flipHooks, 7);
}

TEST_F(GraphicsContextTest, EndGraphicsClosesTheWindowAndStopsInputTracking) {
    const auto graphics = OpenGraphics(800, 600, 0, 60, 0);
    TEvent::Create(EventKeyDown, nullptr, 27, 0, 0, 0, {})->Emit();
    EXPECT_EQ(KeyHeld(27), 1);

    const int32_t generation = ContextGeneration();
    EndGraphics();
    EXPECT_TRUE(std::static_pointer_cast<TFakeGraphics>(graphics)->closed);
    EXPECT_EQ(CurrentGraphics(), nullptr);
    EXPECT_NE(ContextGeneration(), generation);
    EXPECT_NE(ContextGeneration(), 0);
    EXPECT_EQ(KeyHeld(27), 0);
    TEvent::Create(EventKeyDown, nullptr, 27, 0, 0, 0, {})->Emit();
    EXPECT_EQ(TakeKeyPresses(27), 0);

    const int32_t closed = ContextGeneration();
    EndGraphics(); // nothing open: nothing changes
    EXPECT_EQ(ContextGeneration(), closed);
}

TEST_F(GraphicsContextTest, TheGraphicsAreClosedWhenTheProgramEnds) {
    EXPECT_EXIT(RunProgram([this] {
                    OpenGraphics(800, 600, 0, 60, 0);
                    AddExitHandler([this] {
                        // Runs before the graphics' own handler, added earlier.
                        std::fputs(Calls().back().c_str(), stderr);
                    });
                    AddExitHandler([] { std::fputs("|", stderr); });
                }),
                ::testing::ExitedWithCode(0), "^\\|set$");
    EXPECT_EXIT(RunProgram([this] {
                    OpenGraphics(800, 600, 0, 60, 0);
                    OpenGraphics(800, 600, 0, 60, 0);
                    AddExitHandler([this] {
                        // The handler is added once, however often graphics open.
                        std::fputs(std::to_string(Calls().size()).c_str(), stderr);
                    });
                    EndProgram();
                }),
                ::testing::ExitedWithCode(0), "^6$");
}

TEST_F(GraphicsContextTest, ChangingTheDriverDropsTheCurrentGraphicsAndTheModes) {
    driver->modes = {{800, 600, 32, 60}, {1024, 768, 16, 75}};
    EXPECT_EQ(CountGraphicsModes(), 2);
    EXPECT_EQ(CountGraphicsModes(), 2);
    EXPECT_EQ(driver->modeQueries, 1);

    OpenGraphics(800, 600, 0, 60, 0);
    const int32_t generation = ContextGeneration();
    auto other = std::make_shared<TFakeGraphicsDriver>();
    SelectGraphicsDriver(other, 0);
    EXPECT_EQ(Calls().back(), "set none");
    EXPECT_EQ(CurrentGraphics(), nullptr);
    EXPECT_EQ(GraphicsWidth(), 0);
    EXPECT_NE(ContextGeneration(), generation);
    EXPECT_EQ(CountGraphicsModes(), 0);

    // Selecting graphics of another driver switches back to that driver.
    auto graphics = std::make_shared<TFakeGraphics>(driver, TGraphicsSettings{1, 2, 3, 4, 5},
                                                    driver->log, "loose");
    SelectGraphics(graphics);
    EXPECT_EQ(CurrentGraphicsDriver(), driver);
    EXPECT_EQ(GraphicsFlags(), 5);
    EXPECT_EQ(CountGraphicsModes(), 2);
    EXPECT_EQ(driver->modeQueries, 2);
}

TEST_F(GraphicsContextTest, ModesAreMatchedOnTheValuesGiven) {
    driver->modes = {{800, 600, 32, 60}, {1024, 768, 16, 75}};
    EXPECT_EQ(GraphicsModeAvailable(0, 0, 0, 0), 1);
    EXPECT_EQ(GraphicsModeAvailable(1024, 0, 16, 0), 1);
    EXPECT_EQ(GraphicsModeAvailable(1024, 768, 32, 0), 0);
    EXPECT_EQ(GraphicsModeAvailable(0, 0, 0, 60), 1);

    EXPECT_EQ(GetGraphicsMode(1).ToString(), u"1024,768,16 75Hz");
    EXPECT_EQ(GetGraphicsMode(2).ToString(), u"0,0,0 0Hz");
    EXPECT_EQ(GetGraphicsMode(-1).width, 0);

    SelectGraphicsDriver(std::make_shared<TFakeGraphicsDriver>(), 0);
    EXPECT_EQ(GraphicsModeAvailable(0, 0, 0, 0), 0);
}
