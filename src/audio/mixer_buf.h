#pragma once

// The voices of the mixing driver. A sound's PCM data lives in one mixer
// buffer (TPcmBuffer); each TBuf is a mixer source bound to it, so a sound
// that must sound several times at once gets more sources, never more data.
//
// Both belong to the mixer session (generation) they were made in. Once that
// session has been shut down their ids mean nothing, possibly something else
// in a later session, so they are never passed to the mixer again.

#include "audio/mixer_back_end.h"

#include <cstdint>
#include <memory>

class TPcmBuffer {
public:
    TPcmBuffer(uint32_t id, int32_t generation) : _id(id), _generation(generation) {}
    // Deleted with the last source bound to it.
    ~TPcmBuffer();
    TPcmBuffer(const TPcmBuffer&) = delete;
    TPcmBuffer& operator=(const TPcmBuffer&) = delete;

    uint32_t Id() const { return _id; }
    int32_t Generation() const { return _generation; }

private:
    uint32_t _id;
    int32_t _generation;
};

class TBuf {
public:
    TBuf(std::shared_ptr<TPcmBuffer> pcm, uint32_t source)
        : _pcm(std::move(pcm)), _source(source) {}
    ~TBuf() { Release(); }
    TBuf(const TBuf&) = delete;
    TBuf& operator=(const TBuf&) = delete;

    // 0 while held paused by a channel, else whether the source plays.
    int32_t Playing();
    // 1 while a channel holds it paused or it plays: it belongs to a channel.
    // An inactive buffer is free.
    int32_t Active();

    // Deletes the source, and takes the buffer from any channel still
    // holding it (see Disown).
    void Release();

    // Starts or resumes the source; one already playing carries on.
    void Resume();
    void Pause();
    void Stop();
    void Rewind();
    void SetLooping(bool looping);
    void SetVolume(int32_t millibels);
    void SetPan(int32_t panUnits);
    void SetFrequency(int32_t hertz);

    // A channel holds this buffer while its own counter equals this one.
    int32_t Seq() const { return _seq; }
    // Takes the buffer from whichever channel holds it, without telling the
    // channel: its counter no longer agrees.
    void Disown() { ++_seq; }
    // 1 while a channel holds it cued or paused.
    int32_t HeldPaused() const { return _paused; }
    void SetHeldPaused(int32_t paused) { _paused = paused; }

private:
    // The mixer, while the source exists in the running session.
    TMixerBackEnd* Mixer() const;

    std::shared_ptr<TPcmBuffer> _pcm;
    uint32_t _source; // 0 once released
    int32_t _seq = 0;
    int32_t _paused = 0;
};
