// The drawing state of a 2D context and what the module functions send to
// the driver, with a driver that only records.

#include "fake_draw2d_driver.h"
#include "graphics/blend_mode.h"
#include "graphics/draw2d.h"
#include "graphics/graphics_context.h"
#include "graphics/image_font.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

class Draw2DStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        SelectGraphicsDriver(driver, ContextDoubleBuffer);
        graphics = OpenGraphics(800, 600, 0, 60, 0);
        ASSERT_TRUE(graphics);
    }

    void TearDown() override {
        EndGraphics();
        SelectGraphicsDriver(nullptr, 0);
    }

    // The calls logged since the last look.
    std::vector<std::string> TakeCalls() { return std::exchange(driver->calls, {}); }

    std::shared_ptr<TFakeDraw2DDriver> driver = std::make_shared<TFakeDraw2DDriver>();
    std::shared_ptr<TGraphics> graphics;
};

} // namespace

TEST_F(Draw2DStateTest, ANewContextSendsItsWholeStateAndClearsBothBuffers) {
    const auto context = TDraw2DGraphics::Current();
    ASSERT_EQ(context, graphics);
    EXPECT_EQ(TDraw2DGraphics::CurrentDriver(), driver);
    EXPECT_EQ(context->image_font, DefaultImageFont());
    EXPECT_EQ(TakeCalls(), (std::vector<std::string>{
                               "SetResolution 800 600", "SetBlend 1", "SetColor 255 255 255",
                               "SetAlpha 1", "SetClsColor 0 0 0", "SetLineWidth 1",
                               "SetTransform 1 -0 0 1", "SetTransform 1 -0 0 1",
                               "SetViewport 0 0 800 600", "Cls", "Flip 0", "Cls", "Flip 0"}));
}

TEST_F(Draw2DStateTest, SettingsSurviveAnotherContextAndAreSentAgainWithoutClearing) {
    SetDrawColour(300, -5, 128);
    SetDrawAlpha(0.25f);
    SetBlendMode(BlendTranslucent);
    SetClearColour(1, 2, 3);
    SetLogicalSize(160, 120);
    SetClipRect(5, 3, 1, 1);
    SetDrawOrigin(7, 8);
    SetDrawHandle(2, 1);
    SetDrawRotationScale(0, 2, 2);

    const auto other = CreateGraphicsContext(320, 200, 0, 0, 0);
    SelectGraphics(other);
    EXPECT_EQ(LogicalWidth(), 320); // the other context's own state
    TakeCalls();
    SelectGraphics(graphics);
    const auto calls = TakeCalls();
    EXPECT_EQ(calls,
              (std::vector<std::string>{"SetResolution 160 120", "SetBlend 3",
                                        "SetColor 300 -5 128", "SetAlpha 0.25", "SetClsColor 1 2 3",
                                        "SetLineWidth 1", "SetTransform 2 -0 0 2",
                                        "SetTransform 2 -0 0 2", "SetViewport 25 15 5 5"}));
    float x = 0;
    float y = 0;
    GetDrawOrigin(x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(7.0f, 8.0f));
    GetDrawHandle(x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(2.0f, 1.0f));
    int32_t r = 0;
    int32_t g = 0;
    int32_t b = 0;
    GetDrawColour(r, g, b); // stored as given, clamped by the driver
    EXPECT_EQ(std::make_tuple(r, g, b), std::make_tuple(300, -5, 128));
    CloseGraphicsContext(other);
}

TEST_F(Draw2DStateTest, TheLogicalSizeStretchesOverTheWindow) {
    SetLogicalSize(160, 120);
    const auto& context = *TDraw2DGraphics::Current();
    EXPECT_FLOAT_EQ(context.vres_mousexscale, 0.2f);
    EXPECT_FLOAT_EQ(context.vres_mouseyscale, 0.2f);
    EXPECT_EQ(LogicalWidth(), 160);
    EXPECT_EQ(LogicalHeight(), 120);
    TakeCalls();
    FillRect(0, 0, 160, 120);
    SetClipRect(5, 3, 1, 1);
    SetClipRect(0, 0, 160, 120);
    EXPECT_EQ(TakeCalls(),
              (std::vector<std::string>{"DrawRect 0 0 160 120 0 0", "SetViewport 25 15 5 5",
                                        "SetViewport 0 0 800 600"}));
}

TEST_F(Draw2DStateTest, PrimitivesArePlacedWithTheOriginAndTheHandle) {
    TakeCalls();
    SetDrawOrigin(100, 200);
    SetDrawHandle(2, 1);
    FillRect(30, 40, 4, 2);
    DrawOval(30, 40, 4, 2);
    DrawLine(1, 2, 5, 7);
    Plot(1, 2); // points ignore the handle
    const float triangle[] = {0, 0, 4, 0, 0, 3};
    DrawPoly(triangle);
    EXPECT_EQ(TakeCalls(),
              (std::vector<std::string>{"DrawRect -2 -1 2 1 130 240", "DrawOval -2 -1 2 1 130 240",
                                        "DrawLine -2 -1 2 4 101 202", "Plot 101 202",
                                        "DrawPoly 6 -2 -1 100 200"}));
}

TEST_F(Draw2DStateTest, RotationAndScaleMakeTheTransform) {
    SetDrawRotation(90);
    SetDrawScale(2, 3);
    const auto& context = *TDraw2DGraphics::Current();
    EXPECT_NEAR(context.tform_ix, 0, 1e-6);
    EXPECT_FLOAT_EQ(context.tform_iy, -3);
    EXPECT_FLOAT_EQ(context.tform_jx, 2);
    EXPECT_NEAR(context.tform_jy, 0, 1e-6);
    EXPECT_EQ(GetDrawRotation(), 90);
    float sx = 0;
    float sy = 0;
    GetDrawScale(sx, sy);
    EXPECT_EQ(std::make_pair(sx, sy), std::make_pair(2.0f, 3.0f));
}

TEST_F(Draw2DStateTest, ANullFontSelectsTheDefaultFont) {
    const auto font = std::make_shared<TImageFont>();
    SetDrawFont(font);
    EXPECT_EQ(GetDrawFont(), font);
    SetDrawFont(nullptr);
    EXPECT_EQ(GetDrawFont(), DefaultImageFont());
}

TEST_F(Draw2DStateTest, WithNothingCurrentTheFunctionsDoNothing) {
    EndGraphics();
    TakeCalls();
    SetDrawColour(1, 2, 3);
    FillRect(0, 0, 1, 1);
    ClearScreen();
    EXPECT_EQ(GrabPixmap(0, 0, 1, 1), nullptr);
    EXPECT_TRUE(TakeCalls().empty());
    EXPECT_EQ(GetBlendMode(), 0);
}
