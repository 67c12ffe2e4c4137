// The "OpenAL" driver on a machine where OpenAL finds no output device.
// OpenAL reads its configuration once per process, so this test has a
// program of its own.

#include "no_device_checks.h"

#include <cstdlib>

TEST(OpenALNoDevice, TheNullDriverStandsInAndTheReasonIsGivenOnce) {
    // No output driver of OpenAL Soft has this name, so none is tried.
    setenv("ALSOFT_DRIVERS", "none-for-this-test", 1);
    ExpectTheNullDriverToStandInFor(u"OpenAL");
}
