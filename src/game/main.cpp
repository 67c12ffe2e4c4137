// Sewer Run: get the money through the city to the sewer.

#include "game/game_program.h"
#include "graphics/native/gl_draw2d_driver.h"
#include "system/program_startup.h"

int main(int argc, char** argv) {
    StartProgram(argc, argv, [] {
        // Drawing goes through OpenGL in an SDL window, whose events feed the
        // keyboard state; sound through OpenAL when a device opens.
        InstallDraw2DDriver();
        RunGame();
    });
}
