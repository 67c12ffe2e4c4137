#include "system/system_driver.h"

#include "system/termination_signals.h"

namespace {

struct TSystemState {
    std::shared_ptr<TSystemDriver> driver;
    bool pumping = false;
};

TSystemState& State() {
    static TSystemState state;
    return state;
}

// Clears the guard however the pump ends: a hook may raise a runtime error.
class TPumpGuard {
public:
    TPumpGuard() { State().pumping = true; }
    ~TPumpGuard() { State().pumping = false; }
    TPumpGuard(const TPumpGuard&) = delete;
    TPumpGuard& operator=(const TPumpGuard&) = delete;
};

// A Ctrl+C or SIGTERM is acted on here, never inside a hook: before the
// events, so that a signal is not outrun by them, and after, for one that
// came while the pump waited.
template <typename Step>
int32_t RunPump(Step step) {
    auto& state = State();
    if (state.pumping) {
        return 0;
    }
    EndProgramOnTerminationSignal();
    if (state.driver) {
        // Held for the pump's duration: a hook that replaces the driver must
        // not destroy the one that is running.
        const auto driver = state.driver;
        TPumpGuard guard;
        step(*driver);
    }
    EndProgramOnTerminationSignal();
    return 0;
}

} // namespace

const std::shared_ptr<TSystemDriver>& SystemDriver() {
    return State().driver;
}

void SetSystemDriver(std::shared_ptr<TSystemDriver> driver) {
    State().driver = std::move(driver);
}

int32_t PumpSystemEvents() {
    return RunPump([](TSystemDriver& driver) { driver.Poll(); });
}

int32_t WaitSystemEvent() {
    return RunPump([](TSystemDriver& driver) { driver.Wait(); });
}
