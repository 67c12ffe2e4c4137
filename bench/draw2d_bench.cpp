// What one frame of game-like drawing costs through the immediate-mode 2D
// layer, in the game's 800 x 600 window with its 160 x 120 logical size and
// translucent blending: 2000 textured 64 x 64 tiles laid out over the world
// as the game draws its road tiles (no culling, so most fall off screen),
// 500 turned 8 x 8 sprites on screen, and one line of text, then a buffer
// swap without pacing. CPU time is the drawing thread's own (vertex
// transforms, state caches and the OpenGL calls); real time adds the
// renderer's rasterising, which on a software renderer runs on its own
// threads.
//
// It needs a display: xvfb-run -a -s "-screen 0 1024x768x24" bench-draw2d

#include "graphics/blend_mode.h"
#include "graphics/draw2d.h"
#include "graphics/graphics_context.h"
#include "graphics/image_drawing.h"
#include "graphics/image_loading.h"
#include "graphics/native/gl_draw2d_driver.h"
#include "graphics/text_drawing.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

std::shared_ptr<TPixmap> SolidPixmap(int32_t width, int32_t height, uint32_t argb) {
    auto pixmap = CreatePixmap(width, height, FormatRGBA8888);
    pixmap->ClearPixels(argb);
    // A mark in one corner, so that the pictures are not uniform.
    pixmap->WritePixel(1, 1, 0xFF000000);
    return pixmap;
}

struct TScene {
    std::vector<std::shared_ptr<TImage>> tiles;
    std::shared_ptr<TImage> sprites;
};

TScene MakeScene() {
    TScene scene;
    for (const uint32_t colour : {0xFF808080u, 0xFF909090u, 0xFFA0A0A0u, 0xFFB97A57u}) {
        scene.tiles.push_back(LoadImageFile(SolidPixmap(64, 64, colour), 0));
    }
    auto strip = CreatePixmap(16, 8, FormatRGBA8888);
    strip->ClearPixels(0x80FF0000);
    scene.sprites = LoadImageStrip(strip, 8, 8, 0, 2, 0);
    CentreImageOffset(*scene.sprites);
    return scene;
}

void DrawFrame(const TScene& scene, int32_t frame, int32_t tileCount, int32_t spriteCount) {
    ClearScreen();
    // The camera near the world's middle, moving a little every frame.
    SetDrawColour(255, 255, 255);
    SetDrawOrigin(-1200.0f - static_cast<float>(frame % 64), -1200.0f);
    for (int32_t i = 0; i < tileCount; ++i) {
        const auto& tile = scene.tiles[static_cast<size_t>(i % 4)];
        DrawImageFrame(*tile, static_cast<float>(i % 50 * 64), static_cast<float>(i / 50 * 64), 0);
    }
    SetDrawOrigin(0, 0);
    for (int32_t i = 0; i < spriteCount; ++i) {
        SetDrawRotation(static_cast<float>(i * 7 % 360));
        DrawImageFrame(*scene.sprites, static_cast<float>(i * 13 % 160),
                       static_cast<float>(i * 29 % 120), i % 2);
    }
    SetDrawRotation(0);
    SetDrawColour(255, 0, 0);
    if (tileCount + spriteCount > 0) {
        DrawString(u"We got the money!", 0, 10);
    }
    PresentFrame(0);
}

// Arguments: tiles, sprites. The frame without either (and without text) is
// only the clear and the swap: what the drawing itself costs is the difference.
void BM_ImmediateModeFrame(benchmark::State& state) {
    const auto tileCount = static_cast<int32_t>(state.range(0));
    const auto spriteCount = static_cast<int32_t>(state.range(1));
    InstallDraw2DDriver();
    if (!OpenGraphics(800, 600, 0, 0, 0)) {
        state.SkipWithError("no window: run under a display (xvfb-run)");
        return;
    }
    SetBlendMode(BlendTranslucent);
    SetLogicalSize(160, 120);
    const TScene scene = MakeScene();
    DrawFrame(scene, 0, tileCount,
              spriteCount); // the textures are uploaded here, outside the timing
    glFinish();

    int32_t frame = 0;
    for (auto _ : state) {
        DrawFrame(scene, ++frame, tileCount, spriteCount);
    }
    glFinish();
    state.counters["quads"] = tileCount + spriteCount + (tileCount + spriteCount > 0 ? 17 : 0);
    EndGraphics();
}
BENCHMARK(BM_ImmediateModeFrame)
    ->Args({2000, 500})
    ->Args({2000, 0})
    ->Args({0, 500})
    ->Args({0, 0})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3.0);

} // namespace

BENCHMARK_MAIN();
