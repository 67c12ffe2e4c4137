#pragma once

// The "OpenAL" driver: the mixing driver over the system's default OpenAL
// Soft device. It joins the driver chain as the preferred driver when the
// program starts, so that the first audio call picks it; when no device opens, the program says so
// once on standard output and the "Null" driver plays instead.
//
// Mono sounds are panned by placing their source around the listener;
// OpenAL plays stereo sounds as they are, so panning does not affect them.

// Puts the driver in the chain; later calls do nothing. Linking this library
// runs it before main.
extern "C" void RegisterOpenALAudioDriver();
