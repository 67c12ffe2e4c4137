// Saves a frame of the game's title screen as the player sees it: the real
// start-up in the platform's own window, up to the frame asked for, which is
// read back from the window and written as a PNG. A seed gives the same city
// and so the same tint of the title on every platform, and the picture must
// be the same too.
// Usage: title-frame <seed> <frame, from 1> <picture.png>

#include "game/game_program.h"
#include "graphics/draw2d.h"
#include "graphics/graphics_context.h"
#include "graphics/native/gl_draw2d_driver.h"
#include "pixmap/png_writer.h"
#include "system/hooks.h"
#include "system/platform_startup.h"
#include "system/program_exit.h"
#include "util/runtime_error.h"
#include "util/utf8.h"

#include <cstdlib>
#include <string>

namespace {

struct TTitleFrame {
    int32_t wanted = 1;
    int32_t presented = 0;
    Text picture;
};

TTitleFrame& Request() {
    static TTitleFrame request;
    return request;
}

// Runs before each frame is presented, while the drawn frame is still in the
// back buffer.
THookData SaveWantedFrame(int32_t, const THookData& data, const THookData&) {
    auto& request = Request();
    if (++request.presented == request.wanted) {
        const auto frame = GrabPixmap(0, 0, 800, 600);
        if (!SavePixmapPNG(*frame, request.picture, 1)) {
            RaiseRuntimeError(u"cannot write " + request.picture);
        }
        EndProgram();
    }
    return data;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        return 2;
    }
    const auto seed = static_cast<int32_t>(std::strtol(argv[1], nullptr, 10));
    Request().wanted = static_cast<int32_t>(std::strtol(argv[2], nullptr, 10));
    Request().picture = Utf8ToText(argv[3]);
    StartWindowedProgram(argc, argv, [seed] {
        InstallDraw2DDriver();
        AttachHook(FlipHook(), SaveWantedFrame, nullptr, 0);
        StartGame(60, seed);
    });
}
