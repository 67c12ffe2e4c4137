// The floor the game's window figures are measured against: a bare program
// that uses SDL2 and OpenGL directly, with none of the game's code.
//
//   bench-bare-window            initialises SDL2, opens an 800 x 600 OpenGL
//                                window and presents one cleared frame
//   bench-bare-window quad N     then presents N more frames, each filling the
//                                window once with one textured quad, unpaced
//
// It prints "name value unit" lines: the milliseconds from the process's
// start to the first presented frame, the process CPU per quad frame, and
// the peak resident memory. Needs a display (xvfb-run will do).

#include "process_figures.h"

#include <GL/gl.h>
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int Width = 800;
constexpr int Height = 600;
constexpr int TextureSide = 64;

// A texture the size of a road tile, so that the quad samples like the game.
GLuint MakeTexture() {
    std::vector<unsigned char> pixels(4 * TextureSide * TextureSide);
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<unsigned char>(i * 37 % 251);
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, TextureSide, TextureSide, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 pixels.data());
    return texture;
}

void DrawQuad() {
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(-1, -1);
    glTexCoord2f(1, 0);
    glVertex2f(1, -1);
    glTexCoord2f(1, 1);
    glVertex2f(1, 1);
    glTexCoord2f(0, 1);
    glVertex2f(-1, 1);
    glEnd();
}

} // namespace

int main(int argc, char** argv) {
    const bool quad = argc >= 3 && std::strcmp(argv[1], "quad") == 0;
    const int frames = quad ? std::atoi(argv[2]) : 0;

    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "bench-bare-window: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_Window* window = SDL_CreateWindow("bare window", SDL_WINDOWPOS_CENTERED,
                                          SDL_WINDOWPOS_CENTERED, Width, Height, SDL_WINDOW_OPENGL);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (context == nullptr) {
        std::fprintf(stderr, "bench-bare-window: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetSwapInterval(0);
    glClearColor(0.1f, 0.2f, 0.3f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapWindow(window);
    glFinish();
    std::printf("first_frame_ms %.2f ms\n", MillisecondsSinceProcessStart());

    if (frames > 0) {
        MakeTexture();
        const double cpuBefore = ProcessCpuMilliseconds();
        for (int i = 0; i < frames; ++i) {
            SDL_Event event;
            while (SDL_PollEvent(&event)) {
            }
            DrawQuad();
            SDL_GL_SwapWindow(window);
        }
        glFinish();
        std::printf("quad_frame_cpu_ms %.4f ms\n", (ProcessCpuMilliseconds() - cpuBefore) / frames);
    }
    std::printf("peak_rss_mb %.1f MB\n", PeakResidentMegabytes());

    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
