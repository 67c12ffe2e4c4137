#include "system/program_exit.h"
#include "util/runtime_error.h"

#include <gtest/gtest.h>

#include <cstdio>

TEST(ProgramExitTest, RuntimeErrorWritesItsMessageAndExitsWith255) {
    EXPECT_EXIT(RunProgram([] {
                    AddExitHandler([] { std::fputs("[handler]", stderr); });
                    RaiseRuntimeError(u"couldnt find image dir");
                }),
                ::testing::ExitedWithCode(RuntimeErrorExitStatus),
                "^couldnt find image dir\\[handler\\]$");
}

TEST(ProgramExitTest, EndProgramRunsHandlersLastFirstAndExitsWithZero) {
    EXPECT_EXIT(RunProgram([] {
                    AddExitHandler([] { std::fputs("first", stderr); });
                    AddExitHandler([] { std::fputs("second,", stderr); });
                    EndProgram();
                }),
                ::testing::ExitedWithCode(0), "^second,first$");
}

TEST(ProgramExitTest, ReturningFromTheProgramExitsWithZero) {
    EXPECT_EXIT(RunProgram([] {}), ::testing::ExitedWithCode(0), "");
}

TEST(RuntimeErrorTest, CarriesTheTextAndItsUtf8Form) {
    try {
        RaiseRuntimeError(u"missing image: r\u00E9.png");
        FAIL() << "nothing was raised";
    } catch (const TRuntimeError& error) {
        EXPECT_EQ(error.Message(), u"missing image: r\u00E9.png");
        EXPECT_STREQ(error.what(), "missing image: r\xC3\xA9.png");
    }
}
