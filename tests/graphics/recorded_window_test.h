#pragma once

// A test with an 800 x 600 window on the recording drawing driver, open for
// the test's whole run; the driver's log starts empty.

#include "fake_draw2d_driver.h"
#include "graphics/graphics_context.h"

#include <gtest/gtest.h>

#include <memory>

class RecordedWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        SelectGraphicsDriver(driver, ContextDoubleBuffer);
        ASSERT_TRUE(OpenGraphics(800, 600, 0, 60, 0));
        driver->calls.clear();
    }

    void TearDown() override {
        EndGraphics();
        SelectGraphicsDriver(nullptr, 0);
    }

    std::shared_ptr<TFakeDraw2DDriver> driver = std::make_shared<TFakeDraw2DDriver>();
};
