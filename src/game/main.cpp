// Sewer Run: get the money through the city to the sewer.

#include "game/game_program.h"
#include "graphics/native/gl_draw2d_driver.h"
#include "system/platform_startup.h"

int main(int argc, char** argv) {
    // Keys and the pointer are read from the platform's events, drawing goes
    // through OpenGL in the platform's window, sound through the platform's
    // audio when a device opens.
    StartWindowedProgram(argc, argv, [] {
        InstallDraw2DDriver();
        RunGame();
    });
}
