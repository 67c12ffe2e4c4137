#include "system/system_driver.h"

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

template <typename Step>
int32_t RunPump(Step step) {
    auto& state = State();
    if (state.pumping || !state.driver) {
        return 0;
    }
    // Held for the pump's duration: a hook that replaces the driver must not
    // destroy the one that is running.
    const auto driver = state.driver;
    TPumpGuard guard;
    step(*driver);
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
