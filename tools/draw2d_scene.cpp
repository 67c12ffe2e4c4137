// Draws a test scene of the 2D drawing layer in the game's 800 x 600 window
// with the game's 160 x 120 logical size and translucent blending:
// rectangles (plain, translucent, rotated about a handle, clipped), a strip of
// six car frames turned in 30 degree steps, and the whole printable character
// set of the built-in font. The frame is read back and saved as a PNG.
//
//   draw2d-scene OUTPUT.png [SECONDS]
//
// SECONDS keeps the window on screen that long afterwards, for a screenshot
// of the display itself. It needs a display (xvfb-run will do).

#include "graphics/blend_mode.h"
#include "graphics/draw2d.h"
#include "graphics/graphics_context.h"
#include "graphics/image_drawing.h"
#include "graphics/image_loading.h"
#include "graphics/native/gl_draw2d_driver.h"
#include "graphics/text_drawing.h"
#include "pixmap/png_writer.h"
#include "system/input_state.h"
#include "system/platform_startup.h"
#include "system/program_startup.h"
#include "util/clock.h"
#include "util/runtime_error.h"
#include "util/utf8.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string OutputPath;
int HoldSeconds = 0;

// Six 6 x 11 car cells side by side, each body in its own colour, with a
// dark windscreen and rear window so that the direction shows.
std::shared_ptr<TPixmap> CarStripPixmap() {
    constexpr uint32_t Bodies[] = {0xFF2060FF, 0xFFE03030, 0xFF30C040,
                                   0xFFF0D020, 0xFFC040E0, 0xFFF08020};
    auto strip = CreatePixmap(36, 11, FormatRGBA8888);
    strip->ClearPixels(0);
    for (int32_t cell = 0; cell < 6; ++cell) {
        for (int32_t y = 0; y < 11; ++y) {
            for (int32_t x = 1; x < 5; ++x) {
                const bool window = (y == 2 || y == 8) && x > 1 && x < 4;
                strip->WritePixel(cell * 6 + x, y, window ? 0xFF202830 : Bodies[cell]);
            }
        }
        // Wheels.
        for (const int32_t y : {1, 2, 8, 9}) {
            strip->WritePixel(cell * 6, y, 0xFF101010);
            strip->WritePixel(cell * 6 + 5, y, 0xFF101010);
        }
    }
    return strip;
}

void DrawRectangles() {
    SetDrawColour(220, 40, 40);
    FillRect(4, 4, 24, 14);
    SetDrawColour(40, 200, 60);
    SetDrawAlpha(0.5f);
    FillRect(16, 10, 24, 14);
    SetDrawAlpha(1.0f);

    // Turned 30 degrees clockwise about its centre.
    SetDrawColour(250, 210, 40);
    SetDrawHandle(8, 4);
    SetDrawRotation(30);
    FillRect(56, 16, 16, 8);
    SetDrawRotation(0);
    SetDrawHandle(0, 0);

    // A wide bar clipped to a box; its outline shows where the clip is.
    SetDrawColour(90, 90, 110);
    FillRect(2, 28, 70, 10);
    SetClipRect(10, 30, 50, 6);
    SetDrawColour(80, 160, 255);
    FillRect(0, 0, 160, 120);
    SetClipRect(0, 0, 800, 600);
}

void DrawCarStrip(TImage& cars) {
    SetDrawColour(255, 255, 255);
    for (int32_t frame = 0; frame < 6; ++frame) {
        SetDrawRotation(static_cast<float>(frame * 30));
        DrawImageFrame(cars, 84.0f + static_cast<float>(frame) * 13.0f, 9, frame);
    }
    // The same frames at twice the size, unturned.
    SetDrawRotationScale(0, 2, 2);
    for (int32_t frame = 0; frame < 6; ++frame) {
        DrawImageFrame(cars, 84.0f + static_cast<float>(frame) * 13.0f, 29, frame);
    }
    SetDrawRotationScale(0, 1, 1);
}

void DrawCharacterSet() {
    SetDrawColour(255, 255, 255);
    Text line;
    float y = 40;
    for (char16_t code = 32; code <= 127; ++code) {
        line += code;
        if (line.size() == 20 || code == 127) {
            DrawString(line, 0, y);
            line.clear();
            y += 16;
        }
    }
}

void DrawScene(TImage& cars) {
    ClearScreen();
    DrawRectangles();
    DrawCarStrip(cars);
    DrawCharacterSet();
}

void Run() {
    SetProgramTitle(u"Sewer Run 2D scene");
    InstallDraw2DDriver();
    if (!OpenGraphics(800, 600, 0, 60, 0)) {
        RaiseRuntimeError(u"draw2d-scene: could not open the 800 x 600 window\n");
    }
    SetBlendMode(BlendTranslucent);
    SetLogicalSize(160, 120);
    SetClearColour(24, 28, 40);
    const auto cars = LoadImageStrip(CarStripPixmap(), 6, 11, 0, 6, 0);
    CentreImageOffset(*cars);

    DrawScene(*cars);
    const auto shot = GrabPixmap(0, 0, 800, 600);
    if (!SavePixmapPNG(*shot, Utf8ToText(OutputPath), 9)) {
        RaiseRuntimeError(Utf8ToText("draw2d-scene: could not write " + OutputPath + "\n"));
    }
    PresentFrame(-1);
    const int32_t end = MillisecondClock() + HoldSeconds * 1000;
    while (MillisecondClock() - end < 0) {
        TakeKeyPresses(27); // pumps the window's events
        DrawScene(*cars);
        PresentFrame(-1);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: draw2d-scene OUTPUT.png [SECONDS]\n");
        return 2;
    }
    // Start-up moves into the program's directory: fix the path before.
    OutputPath = std::filesystem::absolute(argv[1]).string();
    HoldSeconds = argc == 3 ? std::atoi(argv[2]) : 0;
    StartWindowedProgram(argc, argv, Run);
}
