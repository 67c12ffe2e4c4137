#pragma once

// The sounds and channels of the silent "Null" driver. Nothing is heard and
// Playing() is always 0, but each object remembers what it was told, so that
// the code driving the audio can be checked without a sound card.

#include "audio/audio_sample.h"
#include "audio/channel.h"
#include "audio/sound.h"

#include <cstdint>
#include <memory>

class TNullChannel;

class TNullSound : public TSound, public std::enable_shared_from_this<TNullSound> {
public:
    TNullSound(const TAudioSample& sample, int32_t flags);

    std::shared_ptr<TChannel> Play(const std::shared_ptr<TChannel>& channel) override;
    std::shared_ptr<TChannel> Cue(const std::shared_ptr<TChannel>& channel) override;

    int32_t Length() const { return _length; }
    int32_t Hertz() const { return _hertz; }
    int32_t Format() const { return _format; }
    bool Loops() const { return (_flags & SoundLoops) != 0; }

private:
    int32_t _length;
    int32_t _hertz;
    int32_t _format;
    int32_t _flags;
};

class TNullChannel : public TChannel {
public:
    void Stop() override;
    void SetPaused(int32_t paused) override;
    void SetVolume(float volume) override { _volume = volume; }
    void SetPan(float pan) override { _pan = pan; }
    void SetDepth(float depth) override { _depth = depth; }
    void SetRate(float rate) override { _rate = rate; }

    // Takes the sound, paused at its start.
    void Hold(std::shared_ptr<TNullSound> sound);

    // The sound cued or playing here; null before the first cue and after Stop.
    const std::shared_ptr<TNullSound>& Sound() const { return _sound; }
    // True from a cue or a pause until the next resume.
    bool Paused() const { return _paused; }
    float Volume() const { return _volume; }
    float Pan() const { return _pan; }
    float Depth() const { return _depth; }
    float Rate() const { return _rate; }

private:
    std::shared_ptr<TNullSound> _sound;
    bool _paused = false;
    float _volume = 1.0f;
    float _pan = 0.0f;
    float _depth = 0.0f;
    float _rate = 1.0f;
};
