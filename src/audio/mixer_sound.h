#pragma once

// A sound of the mixing driver: its PCM data in one mixer buffer, and the
// sources (TBuf) made on it so far. A cue takes a free source, or makes one
// more when every source is held or playing, so the same sound can overlap
// itself on several channels.

#include "audio/audio_sample.h"
#include "audio/mixer_buf.h"
#include "audio/sound.h"

#include <cstdint>
#include <memory>
#include <vector>

class TMixerSound : public TSound, public std::enable_shared_from_this<TMixerSound> {
public:
    // Made in the running session of the mixing driver. Null when the sample
    // cannot be played: no known format, a rate not above 0, or too large.
    static std::shared_ptr<TMixerSound> Create(const TAudioSample& sample, int32_t flags);
    // Sources still playing sound on to their end: they are handed to the
    // driver's lonely list, which deletes them once they are silent.
    ~TMixerSound() override;

    std::shared_ptr<TChannel> Play(const std::shared_ptr<TChannel>& channel) override;
    std::shared_ptr<TChannel> Cue(const std::shared_ptr<TChannel>& channel) override;

    // A source of this sound that no channel holds, disowned (TBuf::Disown)
    // so that no earlier holder keeps it; a new one when none is free. Null when
    // the mixer can make no more sources, or the session the sound was made
    // in is over.
    std::shared_ptr<TBuf> TakeFreeBuf();

    int32_t Hertz() const { return _hertz; }
    bool Loops() const { return _loop != 0; }

private:
    TMixerSound(std::shared_ptr<TPcmBuffer> buffer, int32_t hertz, int32_t loop);

    std::shared_ptr<TBuf> NewBuf();

    int32_t _seq; // the session it was made in
    std::shared_ptr<TPcmBuffer> _buffer;
    int32_t _hertz;
    int32_t _loop;
    std::vector<std::shared_ptr<TBuf>> _bufs; // newest first
};
