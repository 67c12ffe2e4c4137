#pragma once

// The loader of uncompressed integer PCM RIFF/WAVE files: 8 or 16 bits, mono
// or stereo.

#include "audio/audio_sample_loader.h"

class TAudioSampleLoaderWAV : public TAudioSampleLoader {
public:
    std::shared_ptr<TAudioSample> LoadAudioSample(TStream& stream) override;
};
