#pragma once

// When no driver can play, the program says so once, on standard output, and
// plays on in silence with the "Null" driver: "Sound is off: " and why.

#include "util/text.h"

// Writes "Sound is off: <why>." on the first call; later calls say nothing,
// so a player sees one line however often a driver is tried.
void SaySoundIsOff(const Text& why);
