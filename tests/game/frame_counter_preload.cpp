// Counts the frames a program presents, so that the soak test can tell its
// frame rate without the program's help. Loaded with LD_PRELOAD, it wraps
// SDL_GL_SwapWindow and, after every frame, writes the number of frames so
// far into the file named by SEWER_FRAME_COUNT_FILE (as a fixed-width
// number, rewritten in place, so a reader never sees a half-written one).

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

struct SDL_Window;

namespace {

using TSwapWindow = void (*)(SDL_Window*);

TSwapWindow RealSwapWindow() {
    static const auto real = reinterpret_cast<TSwapWindow>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    return real;
}

int CountFile() {
    static const int fd = [] {
        const char* path = std::getenv("SEWER_FRAME_COUNT_FILE");
        return path == nullptr ? -1 : open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    }();
    return fd;
}

uint64_t Frames = 0;

} // namespace

extern "C" void SDL_GL_SwapWindow(SDL_Window* window) {
    RealSwapWindow()(window);
    ++Frames;
    if (CountFile() >= 0) {
        char text[32];
        const int length =
            std::snprintf(text, sizeof text, "%20llu\n", static_cast<unsigned long long>(Frames));
        if (pwrite(CountFile(), text, static_cast<size_t>(length), 0) != length) {
            // Nothing to do: the count is only a measurement.
        }
    }
}
