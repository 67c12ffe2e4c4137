// Sewer Run: get the money through the city to the sewer.

#include "game/game_program.h"
#include "graphics/native/gl_draw2d_driver.h"
#include "system/sdl/sdl_program_startup.h"

int main(int argc, char** argv) {
    // Keys and the pointer are read from SDL's events, drawing goes through
    // OpenGL in an SDL window, sound through OpenAL when a device opens.
    StartSDLProgram(argc, argv, [] {
        InstallDraw2DDriver();
        RunGame();
    });
}
