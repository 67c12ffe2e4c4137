#include "graphics/frame_pacer.h"

#include <utility>

TFramePacer::TFramePacer(TClock clock, TSleep sleep)
    : _clock(std::move(clock)), _sleep(std::move(sleep)) {}

void TFramePacer::Start(int32_t hertz) {
    _hertz = hertz;
    _frameMillis = hertz != 0 ? 1000 / hertz : 0;
    _frameRemainder = 1000 - _frameMillis * hertz;
    _remainderAccumulator = 0;
    _nextFrameTime = static_cast<uint32_t>(_clock());
}

void TFramePacer::WaitForNextFrame() {
    if (_hertz <= 0) {
        return; // no pace to keep
    }
    _nextFrameTime += static_cast<uint32_t>(_frameMillis);
    _remainderAccumulator += _frameRemainder;
    if (_remainderAccumulator >= _hertz) {
        _remainderAccumulator -= _hertz;
        _nextFrameTime += 1;
    }
    const uint32_t now = static_cast<uint32_t>(_clock());
    const auto wait = static_cast<int32_t>(_nextFrameTime - now);
    if (wait > 0) {
        _sleep(wait);
    } else {
        _nextFrameTime = now;
    }
}
