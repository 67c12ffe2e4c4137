#include "fake_system_driver.h"
#include "system/program_exit.h"
#include "system/termination_signals.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>

namespace {

// The exit handlers say that they ran, and whether the pump ran them from
// inside a hook (it must not).
bool InHook = false;
// The signal the hook raises while it handles an event, if any.
int SignalInHook = 0;

THookData MarkHook(int32_t, const THookData& data, const THookData&) {
    InHook = true;
    if (SignalInHook != 0) {
        raise(SignalInHook);
    }
    // A key query from inside a hook: the pump is running, so nothing ends here.
    PumpSystemEvents();
    InHook = false;
    return data;
}

void ReportExitHandler() {
    std::fputs(InHook ? "ended inside a hook\n" : "exit handlers ran\n", stderr);
    std::fflush(stderr);
    // The exit handlers pump too (input tracking stops): that must not end
    // the program a second time.
    PumpSystemEvents();
}

// The program's state in a death test's child: handlers, a driver with one
// event queued, the input hook.
void StartProgramLike() {
    InstallTerminationSignalHandlers();
    AddExitHandler(ReportExitHandler);
    auto driver = std::make_shared<TFakeSystemDriver>();
    driver->Queue(EventKeyDown, 38);
    SetSystemDriver(driver);
    AttachHook(EmitEventHook(), MarkHook, nullptr, 0);
}

} // namespace

TEST(TerminationSignalsDeathTest, ASignalEndsTheProgramAtTheNextPumpWithItsExitHandlers) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const struct {
        int number;
        int status;
    } signals[] = {{SIGINT, 130}, {SIGTERM, 143}};
    for (const auto& signal : signals) {
        EXPECT_EXIT(
            {
                StartProgramLike();
                raise(signal.number);
                // Only recorded so far: the program goes on until it pumps.
                if (PendingTerminationSignal() != signal.number) {
                    std::_Exit(1);
                }
                PumpSystemEvents();
                std::_Exit(2);
            },
            ::testing::ExitedWithCode(signal.status), "^exit handlers ran\n$")
            << "signal " << signal.number;
    }
}

TEST(TerminationSignalsDeathTest, ASignalThatComesDuringAnEventEndsTheProgramAfterIt) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            StartProgramLike();
            SignalInHook = SIGTERM;
            PumpSystemEvents();
            std::_Exit(2);
        },
        ::testing::ExitedWithCode(143), "^exit handlers ran\n$");
}

TEST(TerminationSignalsDeathTest, ASecondSignalBeforeThePumpEndsTheProcessAtOnce) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            StartProgramLike();
            raise(SIGINT);
            raise(SIGINT);
            std::_Exit(2);
        },
        ::testing::KilledBySignal(SIGINT), "");
}

TEST(TerminationSignalsDeathTest, AWaitingPumpEndsTooWhenTheSignalComesMeanwhile) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    struct TSignalWhileWaiting : TFakeSystemDriver {
        int32_t Wait() override {
            raise(SIGTERM);
            return TFakeSystemDriver::Wait();
        }
    };
    EXPECT_EXIT(
        {
            InstallTerminationSignalHandlers();
            AddExitHandler(ReportExitHandler);
            SetSystemDriver(std::make_shared<TSignalWhileWaiting>());
            WaitSystemEvent();
            std::_Exit(2);
        },
        ::testing::ExitedWithCode(143), "^exit handlers ran\n$");
}
