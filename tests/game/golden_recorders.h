#pragma once

// What a golden run listens to: a drawing driver that hands every presented
// frame to a callback and reads frames back as blank pictures, and an audio driver whose sounds and
// channels write every call they get into a log. Sounds and channels are named by the order in
// which they were made: "sound1" and "channel1" are the first of each.

#include "audio/audio_driver.h"
#include "fake_draw2d_driver.h"
#include "pixmap/pixel_format.h"
#include "pixmap/pixmap.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

// FNV-1a, 64 bits: a stable digest of bytes that do not fit in a trace line.
class TDigest {
public:
    void Add(std::string_view bytes) {
        for (const char byte : bytes) {
            _value = (_value ^ static_cast<uint8_t>(byte)) * 0x100000001B3u;
        }
    }
    std::string Hex() const {
        std::ostringstream text;
        text << std::hex << _value;
        return text.str();
    }

private:
    uint64_t _value = 0xCBF29CE484222325u;
};

// Nine significant digits: every float reads back as itself.
inline std::string FloatText(double value) {
    std::ostringstream text;
    text.precision(9);
    text << value;
    return text.str();
}

class TFrameEndingDraw2DDriver : public TFakeDraw2DDriver {
public:
    std::function<void()> frameEnded;

    void Flip(int32_t sync) override {
        TFakeDraw2DDriver::Flip(sync);
        if (frameEnded) {
            frameEnded();
        }
    }

    // Reading a frame back draws nothing, so it is left out of the log: the
    // frame that the pause reads back is the frame it would have been.
    std::shared_ptr<TPixmap> GrabPixmap(int32_t, int32_t, int32_t width, int32_t height) override {
        return CreatePixmap(width, height, FormatRGBA8888);
    }
};

class TSoundLog {
public:
    void Add(const std::string& entry) { entries.push_back(entry); }
    std::string NextSoundName() { return "sound" + std::to_string(++_soundsMade); }
    std::string NextChannelName() { return "channel" + std::to_string(++_channelsMade); }

    std::vector<std::string> entries;

private:
    int _soundsMade = 0;
    int _channelsMade = 0;
};

class TRecordingChannel : public TChannel {
public:
    explicit TRecordingChannel(std::shared_ptr<TSoundLog> log)
        : name(log->NextChannelName()), _log(std::move(log)) {}

    const std::string name;

    void Stop() override { _log->Add(name + " stop"); }
    void SetPaused(int32_t paused) override {
        _log->Add(name + " paused " + std::to_string(paused));
    }
    void SetVolume(float volume) override { _log->Add(name + " volume " + FloatText(volume)); }
    void SetPan(float pan) override { _log->Add(name + " pan " + FloatText(pan)); }
    void SetDepth(float depth) override { _log->Add(name + " depth " + FloatText(depth)); }
    void SetRate(float rate) override { _log->Add(name + " rate " + FloatText(rate)); }

private:
    std::shared_ptr<TSoundLog> _log;
};

class TRecordingSound : public TSound {
public:
    TRecordingSound(std::shared_ptr<TSoundLog> log, const TAudioSample& sample, int32_t flags)
        : _log(std::move(log)), _name(_log->NextSoundName()) {
        TDigest bytes;
        bytes.Add({reinterpret_cast<const char*>(sample.samples),
                   static_cast<size_t>(sample.ByteCount())});
        _log->Add(_name + " made of " + std::to_string(sample.length) + " frames at " +
                  std::to_string(sample.hertz) + " Hz, format " + std::to_string(sample.format) +
                  ", flags " + std::to_string(flags) + ", bytes " + bytes.Hex());
    }

    std::shared_ptr<TChannel> Play(const std::shared_ptr<TChannel>& channel) override {
        return Use("play", channel);
    }
    std::shared_ptr<TChannel> Cue(const std::shared_ptr<TChannel>& channel) override {
        return Use("cue", channel);
    }

private:
    std::shared_ptr<TChannel> Use(const char* how, const std::shared_ptr<TChannel>& channel) {
        auto used = std::dynamic_pointer_cast<TRecordingChannel>(channel);
        if (!used) {
            used = std::make_shared<TRecordingChannel>(_log);
        }
        _log->Add(_name + " " + how + " on " + used->name);
        return used;
    }

    std::shared_ptr<TSoundLog> _log;
    std::string _name;
};

// Loads its sounds through the engine's own sample loaders, so a sound file
// that does not read is still a sound that did not load.
class TRecordingAudioDriver : public TAudioDriver {
public:
    static constexpr char16_t DriverName[] = u"Recorder";

    std::shared_ptr<TSoundLog> log = std::make_shared<TSoundLog>();

    Text Name() override { return DriverName; }
    std::shared_ptr<TSound> CreateSound(const std::shared_ptr<TAudioSample>& sample,
                                        int32_t flags) override {
        if (!sample) {
            return nullptr;
        }
        return std::make_shared<TRecordingSound>(log, *sample, flags);
    }
    std::shared_ptr<TChannel> AllocChannel() override {
        return std::make_shared<TRecordingChannel>(log);
    }
};
