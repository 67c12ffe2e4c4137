#include "audio/audio_sample.h"

#include "audio/sample_format.h"
#include "util/runtime_error.h"

#include <cstring>
#include <limits>

TAudioSample::TAudioSample(uint8_t* samples_, int32_t length_, int32_t hertz_, int32_t format_,
                           int32_t capacity_)
    : samples(samples_), length(length_), hertz(hertz_), format(format_), capacity(capacity_) {}

std::shared_ptr<TAudioSample> TAudioSample::Create(int32_t length, int32_t hertz, int32_t format) {
    const int64_t bytes = int64_t{length} * BytesPerFrame(format);
    if (length < 0 || bytes > std::numeric_limits<int32_t>::max()) {
        RaiseRuntimeError(u"Audio sample size out of range");
    }
    // Left uninitialised, as the loaders fill it at once (written out: the
    // browser's C++ library has no make_unique_for_overwrite).
    std::unique_ptr<uint8_t[]> owned(new uint8_t[static_cast<size_t>(bytes)]);
    std::shared_ptr<TAudioSample> sample(
        new TAudioSample(owned.get(), length, hertz, format, static_cast<int32_t>(bytes)));
    sample->_owned = std::move(owned);
    return sample;
}

std::shared_ptr<TAudioSample> TAudioSample::CreateStatic(uint8_t* samples, int32_t length,
                                                         int32_t hertz, int32_t format) {
    return std::shared_ptr<TAudioSample>(new TAudioSample(samples, length, hertz, format, -1));
}

int64_t TAudioSample::ByteCount() const {
    return int64_t{length} * BytesPerFrame(format);
}

std::shared_ptr<TAudioSample> TAudioSample::Copy() const {
    auto copy = Create(length, hertz, format);
    if (copy->capacity > 0) {
        std::memcpy(copy->samples, samples, static_cast<size_t>(copy->capacity));
    }
    return copy;
}

std::shared_ptr<TAudioSample> TAudioSample::Convert(int32_t targetFormat) const {
    // Checked before anything is allocated; the same format is only copied.
    if (targetFormat != format && (!IsSampleFormat(format) || !IsSampleFormat(targetFormat))) {
        RaiseRuntimeError(u"Unimplemented sample format conversion");
    }
    auto converted = Create(length, hertz, targetFormat);
    ConvertSampleFrames(samples, format, converted->samples, targetFormat, length);
    return converted;
}
