// The "DirectSound" driver where DirectSound finds no output device: under
// Wine, no PulseAudio server where PULSE_SERVER points.

#include "no_device_checks.h"

TEST(DirectSoundNoDevice, TheNullDriverStandsInAndTheReasonIsGivenOnce) {
    ExpectTheNullDriverToStandInFor(u"DirectSound");
}
