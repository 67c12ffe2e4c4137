#pragma once

// An audio driver over a software mixer (OpenAL, or a test double): the
// mixer is reached through TMixerBackEnd, opened by Startup and closed by
// Shutdown. One such driver runs at a time, the active one. Each Shutdown
// ends a session (raises the generation): sounds, sources and buffers of an
// earlier session are never passed to the mixer again.
//
// Sources of a sound that is deleted while they still play are kept on the
// driver's lonely list until they fall silent; the list is flushed whenever
// a sound is made or a source must be added.

#include "audio/audio_driver.h"
#include "audio/mixer_back_end.h"
#include "audio/mixer_buf.h"
#include "util/text.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TMixerAudioDriver : public TAudioDriver {
public:
    // Opens the mixer; null when no device can be opened.
    using TMixerOpener = std::function<std::unique_ptr<TMixerBackEnd>()>;

    TMixerAudioDriver(Text name, TMixerOpener opener);
    ~TMixerAudioDriver() override;

    Text Name() override { return _name; }
    // Opens the mixer, shutting down another active mixing driver first.
    // Returns 0 when the mixer does not open.
    int32_t Startup() override;
    void Shutdown() override;
    // Null when this driver is not running or cannot play the sample.
    std::shared_ptr<TSound> CreateSound(const std::shared_ptr<TAudioSample>& sample,
                                        int32_t flags) override;
    std::shared_ptr<TChannel> AllocChannel() override;

    // Puts the sources in front of the lonely list.
    void AddLonely(std::vector<std::shared_ptr<TBuf>> bufs);
    // Deletes every lonely source that is no longer active; keeps the rest.
    void FlushLonely();

    // The open mixer; only while this driver is running.
    TMixerBackEnd& Mixer() { return *_mixer; }

    // The running mixing driver, or null.
    static TMixerAudioDriver* Active();
    // The current session; raised by every Shutdown.
    static int32_t Generation();
    // The running mixer if `generation` is the current session, else null.
    static TMixerBackEnd* MixerOf(int32_t generation);

private:
    Text _name;
    TMixerOpener _opener;
    std::unique_ptr<TMixerBackEnd> _mixer;
    std::vector<std::shared_ptr<TBuf>> _lonely;
};
