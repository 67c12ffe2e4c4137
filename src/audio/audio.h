#pragma once

// The functions the game plays its sounds with, all acting through the
// current driver and its sounds and channels. A null sound or channel (a
// sound that did not load) is accepted and does nothing.

#include "audio/audio_driver.h"
#include "audio/audio_sample.h"
#include "audio/channel.h"
#include "audio/sound.h"
#include "io/url.h"

#include <cstdint>
#include <memory>

// Null when the file cannot be read as a sound.
std::shared_ptr<TSound> AudioLoadSound(const TUrl& url, int32_t flags);
std::shared_ptr<TSound> AudioLoadSound(const std::shared_ptr<TAudioSample>& sample, int32_t flags);

// Play and cue use `channel` when the sound's driver can, otherwise a new
// channel; either way the channel used is returned (the given one for a null
// sound). A cued channel waits, paused at the start, for AudioResumeChannel.
std::shared_ptr<TChannel> AudioPlaySound(const std::shared_ptr<TSound>& sound,
                                         const std::shared_ptr<TChannel>& channel);
std::shared_ptr<TChannel> AudioCueSound(const std::shared_ptr<TSound>& sound,
                                        const std::shared_ptr<TChannel>& channel);

void AudioStopChannel(const std::shared_ptr<TChannel>& channel);
void AudioPauseChannel(const std::shared_ptr<TChannel>& channel);
void AudioResumeChannel(const std::shared_ptr<TChannel>& channel);
void AudioSetVolume(const std::shared_ptr<TChannel>& channel, float volume);
void AudioSetPan(const std::shared_ptr<TChannel>& channel, float pan);
void AudioSetDepth(const std::shared_ptr<TChannel>& channel, float depth);
void AudioSetRate(const std::shared_ptr<TChannel>& channel, float rate);
// 1 while the channel's sound is audibly playing.
int32_t AudioChannelBusy(const std::shared_ptr<TChannel>& channel);

// A channel of the current driver, holding no sound.
std::shared_ptr<TChannel> AudioNewChannel();
