#pragma once

// Reading samples from files. Each file format has a loader; the loaders
// form a chain that is tried newest first, so a program can put a loader of
// its own in front of the built-in ones (only WAV for now).

#include "audio/audio_sample.h"
#include "io/stream.h"
#include "io/url.h"
#include "util/registration_chain.h"

#include <memory>

class TAudioSampleLoader {
public:
    // Joins the front of the chain, and leaves it when destroyed.
    TAudioSampleLoader();
    virtual ~TAudioSampleLoader();
    TAudioSampleLoader(const TAudioSampleLoader&) = delete;
    TAudioSampleLoader& operator=(const TAudioSampleLoader&) = delete;

    // The sample, or null when the stream is not in this loader's format. A
    // stream error (a short file) may also escape; the caller counts it as a
    // refusal.
    virtual std::shared_ptr<TAudioSample> LoadAudioSample(TStream& stream) = 0;

    TAudioSampleLoader* Successor() const { return _link.Successor(); }

private:
    TRegistrationChain<TAudioSampleLoader>::TLink _link;
};

// The front of the chain; the built-in loaders are in it from the first look.
TAudioSampleLoader* FirstAudioSampleLoader();

// Opens the url and asks every loader in turn, each from the same starting
// position. Null when the url does not open or no loader reads it; a stream
// that cannot seek raises "Stream is not seekable".
std::shared_ptr<TAudioSample> AudioSampleFromUrl(const TUrl& url);
