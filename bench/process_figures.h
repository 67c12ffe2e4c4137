#pragma once

// Whole-process figures for the benchmarks that run a window: time since the
// process was started, the CPU all its threads used (the software renderer
// draws on threads of its own) and its peak resident memory.

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

// Milliseconds since the process was launched. scripts/bench.sh puts the
// launch time (CLOCK_REALTIME nanoseconds) in SEWER_LAUNCH_NS just before
// it starts the program; without it the kernel's start time is used, which
// is only counted in clock ticks (usually 10 ms).
inline double MillisecondsSinceProcessStart() {
    if (const char* launch = std::getenv("SEWER_LAUNCH_NS")) {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        const double nowNs =
            static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
        return (nowNs - std::strtod(launch, nullptr)) / 1e6;
    }
    std::ifstream stat("/proc/self/stat");
    std::string field;
    // The command may hold spaces; the fields after its closing bracket are
    // fixed, and the start time is the 20th of them.
    std::getline(stat, field, ')');
    for (int i = 0; i < 20 && stat >> field;) {
        ++i;
    }
    const double startSeconds = std::strtod(field.c_str(), nullptr) / sysconf(_SC_CLK_TCK);
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return (static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9 -
            startSeconds) *
           1e3;
}

inline double ProcessCpuMilliseconds() {
    timespec cpu{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    return static_cast<double>(cpu.tv_sec) * 1e3 + static_cast<double>(cpu.tv_nsec) / 1e6;
}

inline double PeakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}
