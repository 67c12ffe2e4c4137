#pragma once

// A sound in memory before it goes to the audio driver: interleaved PCM
// frames with their rate and format (see sample_format.h). A sample either
// owns its bytes (capacity is their count) or wraps memory that its caller
// keeps alive (capacity -1).

#include <cstdint>
#include <memory>

class TAudioSample {
public:
    // A sample owning an uninitialised buffer of `length` frames. Raises a
    // runtime error when the length is negative or the buffer would not fit
    // a 32-bit byte count.
    static std::shared_ptr<TAudioSample> Create(int32_t length, int32_t hertz, int32_t format);
    // Wraps `samples`, which must outlive the sample; nothing is copied.
    static std::shared_ptr<TAudioSample> CreateStatic(uint8_t* samples, int32_t length,
                                                      int32_t hertz, int32_t format);

    TAudioSample(const TAudioSample&) = delete;
    TAudioSample& operator=(const TAudioSample&) = delete;

    // A new sample owning a copy of the bytes.
    std::shared_ptr<TAudioSample> Copy() const;
    // A new sample of the same length and rate in `format`; this one is left
    // as it is.
    std::shared_ptr<TAudioSample> Convert(int32_t format) const;

    // length × bytes per frame of the format.
    int64_t ByteCount() const;

    uint8_t* samples;
    int32_t length; // frames
    int32_t hertz;  // frames per second
    int32_t format;
    int32_t capacity; // owned bytes, or -1 when the memory belongs to someone else

private:
    TAudioSample(uint8_t* samples, int32_t length, int32_t hertz, int32_t format, int32_t capacity);

    std::unique_ptr<uint8_t[]> _owned;
};
