#include "audio/sound_off_notice.h"

#include "io/standard_output.h"

void SaySoundIsOff(const Text& why) {
    static bool told = false;
    if (!told) {
        told = true;
        PrintLine(u"Sound is off: " + why + u".");
    }
}
