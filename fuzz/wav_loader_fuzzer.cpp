// Arbitrary bytes through the WAV loader. A sample that comes out must own
// exactly the bytes its frames need; converting it to another format reads
// every one of them.

#include "audio/sample_format.h"
#include "audio/wav_loader.h"
#include "io/memory_stream.h"
#include "io/stream_exception.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TAudioSampleLoaderWAV loader;
    TRamStream stream(data, static_cast<int64_t>(size));
    std::shared_ptr<TAudioSample> sample;
    try {
        sample = loader.LoadAudioSample(stream);
    } catch (const TStreamException&) {
        // A short file: the loader chain counts this as a refusal.
        return 0;
    }
    if (!sample) {
        return 0;
    }
    if (sample->length < 0 ||
        sample->ByteCount() !=
            static_cast<int64_t>(sample->length) * BytesPerFrame(sample->format) ||
        sample->capacity < sample->ByteCount()) {
        std::abort();
    }
    sample->Convert(sample->format == FormatStereo16LE ? FormatMono8 : FormatStereo16LE);
    return 0;
}
