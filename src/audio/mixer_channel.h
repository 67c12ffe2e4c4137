#pragma once

// A channel of the mixing driver. It holds one source of a sound while it is
// live: the source is set and the channel's counter agrees with the source's
// (TBuf::Seq). Raising the source's counter (a stop, another channel's cue
// taking it back, the lonely list deleting it) ends that without telling the
// channel; on a channel that
// is not live the operations only update its own settings, which the next
// cue applies.

#include "audio/channel.h"
#include "audio/mixer_buf.h"
#include "audio/mixer_sound.h"

#include <cstdint>
#include <memory>

class TMixerChannel : public TChannel {
public:
    TMixerChannel() = default;
    // A channel destroyed while it holds its sound cued or paused stops it; a
    // sound playing plays on to its end.
    ~TMixerChannel() override;
    TMixerChannel(const TMixerChannel&) = delete;
    TMixerChannel& operator=(const TMixerChannel&) = delete;

    void Stop() override;
    void SetPaused(int32_t paused) override;
    void SetVolume(float volume) override;
    void SetPan(float pan) override;
    void SetDepth(float) override {}
    void SetRate(float rate) override;
    int32_t Playing() override;

    // Stops what the channel holds, then takes a source of the sound,
    // rewound and paused at its start with this channel's volume, pan and
    // rate. Returns 0, leaving the channel without a source, when the sound
    // has none to give.
    int32_t Cue(const std::shared_ptr<TMixerSound>& sound);

private:
    bool Live() const;
    void Drop();
    void ApplyVolume();
    void ApplyPan();
    void ApplyRate();

    float _volume = 1.0f; // the curve value, see VolumeCurve
    float _pan = 0.0f;    // the curve value, see PanCurve
    float _rate = 1.0f;
    std::shared_ptr<TMixerSound> _sound;
    std::shared_ptr<TBuf> _buf;
    int32_t _seq = 0;
    int32_t _hertz = 0;
    bool _looping = false;
};
