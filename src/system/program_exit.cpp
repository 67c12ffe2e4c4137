#include "system/program_exit.h"

#include "util/runtime_error.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
std::vector<std::function<void()>>& ExitHandlers() {
    static std::vector<std::function<void()>> handlers;
    return handlers;
}
} // namespace

void AddExitHandler(std::function<void()> handler) {
    ExitHandlers().push_back(std::move(handler));
}

void RunExitHandlers() {
    // Each handler is taken off before it runs, so a handler that ends the
    // program again (or throws) never runs twice.
    auto& handlers = ExitHandlers();
    while (!handlers.empty()) {
        auto handler = std::move(handlers.back());
        handlers.pop_back();
        try {
            handler();
        } catch (...) {
            // A failing shutdown step must not keep the others from running.
        }
    }
}

void EndProgram() {
    EndProgramWithStatus(0);
}

void EndProgramWithStatus(int status) {
    RunExitHandlers();
    std::fflush(stdout);
    std::exit(status);
}

void RunProgram(const std::function<void()>& program) {
    int status = 0;
    try {
        program();
    } catch (const TRuntimeError& error) {
        std::fflush(stdout);
        std::fputs(error.what(), stderr);
        std::fflush(stderr);
        status = RuntimeErrorExitStatus;
    }
    RunExitHandlers();
    std::fflush(stdout);
    std::exit(status);
}
