#pragma once

// A loaded, playable sound. Playing or cueing takes a channel: the one given
// when the driver can use it, otherwise a new one, which is returned.

#include "audio/audio_sample.h"
#include "audio/channel.h"
#include "io/url.h"

#include <cstdint>
#include <memory>

// Flags of a new sound.
inline constexpr int32_t SoundLoops = 1;
// Lets a driver put the sound in hardware; drivers that mix in software
// ignore it.
inline constexpr int32_t SoundInHardware = 2;

class TSound {
public:
    virtual ~TSound() = default;

    // Starts the sound from its beginning.
    virtual std::shared_ptr<TChannel> Play(const std::shared_ptr<TChannel>& channel);
    // Prepares the sound paused at its beginning; resuming the channel starts it.
    virtual std::shared_ptr<TChannel> Cue(const std::shared_ptr<TChannel>& channel);

    // A sound of the current driver from the file (or stream) at `url`, or
    // from a sample already in memory. Null when there is no sample to be had.
    static std::shared_ptr<TSound> Load(const TUrl& url, int32_t flags);
    static std::shared_ptr<TSound> Load(const std::shared_ptr<TAudioSample>& sample, int32_t flags);
};
