#pragma once

// A test double of the mixer: it keeps the state OpenAL would keep for each
// buffer and source, lets the test end a source as if its sound had run out,
// and reports as test failures the calls OpenAL would refuse.

#include "audio/mixer_back_end.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct TFakeBuffer {
    std::string bytes;
    int32_t channels = 0;
    int32_t bits = 0;
    int32_t hertz = 0;
    bool inHardware = false;
};

struct TFakeSource {
    uint32_t buffer = 0;
    TSourceState state = TSourceState::Initial;
    bool looping = false;
    int32_t millibels = 0;
    int32_t panUnits = 0;
    int32_t frequency = 0; // the buffer's own
    int plays = 0;         // Play calls
};

// Everything one session of the fake did; it outlives the fake itself.
struct TFakeMixerState {
    std::map<uint32_t, TFakeBuffer> buffers;
    std::map<uint32_t, TFakeSource> sources;
    int32_t sourceLimit = 256;
    int32_t deletedSources = 0;
    int32_t deletedBuffers = 0;
    bool open = true;
    uint32_t nextId = 1;

    TFakeSource& Source(uint32_t id) {
        auto found = sources.find(id);
        if (found == sources.end()) {
            ADD_FAILURE() << "source " << id << " does not exist";
            static TFakeSource nowhere;
            return nowhere;
        }
        return found->second;
    }
    // The sound of a non-looping source has run out.
    void End(uint32_t id) { Source(id).state = TSourceState::Stopped; }
    int CountInState(TSourceState state) const {
        int n = 0;
        for (const auto& [id, source] : sources) {
            n += source.state == state ? 1 : 0;
        }
        return n;
    }
};

class TFakeMixer : public TMixerBackEnd {
public:
    explicit TFakeMixer(std::shared_ptr<TFakeMixerState> state) : _state(std::move(state)) {}
    ~TFakeMixer() override { _state->open = false; }

    uint32_t CreateBuffer(const void* data, int32_t bytes, int32_t channels, int32_t bits,
                          int32_t hertz, bool inHardware) override {
        EXPECT_GT(hertz, 0) << "a mixer refuses a rate of 0";
        EXPECT_EQ(bytes % (channels * bits / 8), 0) << "a mixer refuses part of a frame";
        const uint32_t id = _state->nextId++;
        _state->buffers[id] = {std::string(static_cast<const char*>(data), bytes), channels, bits,
                               hertz, inHardware};
        return id;
    }
    void DeleteBuffer(uint32_t buffer) override {
        for (const auto& [id, source] : _state->sources) {
            EXPECT_NE(source.buffer, buffer) << "buffer deleted while source " << id << " uses it";
        }
        EXPECT_EQ(_state->buffers.erase(buffer), 1u) << "no buffer " << buffer;
        ++_state->deletedBuffers;
    }
    uint32_t CreateSource(uint32_t buffer) override {
        EXPECT_TRUE(_state->buffers.contains(buffer));
        if (static_cast<int32_t>(_state->sources.size()) >= _state->sourceLimit) {
            return 0;
        }
        const uint32_t id = _state->nextId++;
        _state->sources[id].buffer = buffer;
        return id;
    }
    void DeleteSource(uint32_t source) override {
        EXPECT_EQ(_state->sources.erase(source), 1u) << "no source " << source;
        ++_state->deletedSources;
    }
    void Play(uint32_t source) override {
        auto& s = _state->Source(source);
        s.state = TSourceState::Playing;
        ++s.plays;
    }
    void Pause(uint32_t source) override {
        auto& s = _state->Source(source);
        if (s.state == TSourceState::Playing) {
            s.state = TSourceState::Paused;
        }
    }
    void Stop(uint32_t source) override {
        auto& s = _state->Source(source);
        if (s.state != TSourceState::Initial) {
            s.state = TSourceState::Stopped;
        }
    }
    void Rewind(uint32_t source) override { _state->Source(source).state = TSourceState::Initial; }
    TSourceState State(uint32_t source) override { return _state->Source(source).state; }
    void SetLooping(uint32_t source, bool looping) override {
        _state->Source(source).looping = looping;
    }
    void SetVolume(uint32_t source, int32_t millibels) override {
        _state->Source(source).millibels = millibels;
    }
    void SetPan(uint32_t source, int32_t panUnits) override {
        _state->Source(source).panUnits = panUnits;
    }
    void SetFrequency(uint32_t source, int32_t hertz) override {
        _state->Source(source).frequency = hertz;
    }

private:
    std::shared_ptr<TFakeMixerState> _state;
};
