// Measures the soft frame pacing on a real window: opens the game's 800 x 600
// window at 60 Hz, presents 600 paced frames (ten seconds' worth) and prints
// the intervals between presented frames and the drift of the whole run.
//
// Run it on a display, e.g.: xvfb-run -a -s "-screen 0 1024x768x24" frame-pacing

#include "graphics/graphics_context.h"
#include "graphics/native/gl_graphics.h"
#include "system/input_state.h"
#include "system/platform_startup.h"
#include "system/program_startup.h"
#include "util/runtime_error.h"

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <vector>

namespace {

constexpr int Frames = 600;
constexpr int Hertz = 60;
constexpr double ExpectedTotalMs = 1000.0 * Frames / Hertz;

using TClock = std::chrono::steady_clock;

double Milliseconds(TClock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

// The value below which `fraction` of the sorted values lie (nearest rank).
double Percentile(const std::vector<double>& sorted, double fraction) {
    const auto rank = static_cast<size_t>(std::ceil(fraction * static_cast<double>(sorted.size())));
    return sorted[std::clamp<size_t>(rank, 1, sorted.size()) - 1];
}

void Measure() {
    SetProgramTitle(u"Sewer Run frame pacing");
    SelectGraphicsDriver(GLGraphicsDriver(), ContextDoubleBuffer);
    if (!OpenGraphics(800, 600, 0, Hertz, 0)) {
        RaiseRuntimeError(u"frame-pacing: could not open the 800 x 600 window\n");
    }

    std::vector<double> intervals;
    intervals.reserve(Frames);
    const auto start = TClock::now();
    auto previous = start;
    for (int frame = 0; frame < Frames; ++frame) {
        TakeKeyPresses(27); // pumps the events, as the game's loop does
        const float shade = static_cast<float>(frame % Hertz) / Hertz;
        glClearColor(shade, 0.2f, 1.0f - shade, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        PresentFrame(-1);
        const auto now = TClock::now();
        intervals.push_back(Milliseconds(now - previous));
        previous = now;
    }
    const double totalMs = Milliseconds(previous - start);

    std::vector<double> sorted = intervals;
    std::sort(sorted.begin(), sorted.end());
    const double mean = std::accumulate(sorted.begin(), sorted.end(), 0.0) / Frames;
    std::printf("frames presented:      %d at %d Hz, 800 x 600 window\n", Frames, Hertz);
    std::printf("mean interval:         %.3f ms\n", mean);
    std::printf("median interval:       %.3f ms\n", Percentile(sorted, 0.5));
    std::printf("99th percentile:       %.3f ms\n", Percentile(sorted, 0.99));
    std::printf("maximum interval:      %.3f ms\n", sorted.back());
    std::printf("minimum interval:      %.3f ms\n", sorted.front());
    std::printf("total:                 %.3f ms\n", totalMs);
    std::printf("drift against %.0f ms: %+.3f ms\n", ExpectedTotalMs, totalMs - ExpectedTotalMs);
}

} // namespace

int main(int argc, char** argv) {
    StartWindowedProgram(argc, argv, Measure);
}
