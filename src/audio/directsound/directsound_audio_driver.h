#pragma once

// The "DirectSound" driver: the mixing driver over DirectSound on the default
// output device. DirectSound is loaded while the program starts, from the
// system's "dsound" library, so the program runs (silently) on a system
// without it. The driver joins the driver chain only when the library has
// DirectSoundCreate, and names itself the preferred driver in any case: the
// first audio call picks it, and when it is missing or no device opens, the
// program says once on standard output that sound is off and the "Null"
// driver plays instead.

// Puts the driver in the chain; later calls do nothing. Linking this library
// runs it before main.
extern "C" void RegisterDirectSoundAudioDriver();
