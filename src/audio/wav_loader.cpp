#include "audio/wav_loader.h"

#include "audio/sample_format.h"
#include "io/little_endian_fields.h"

#include <string_view>

namespace {

constexpr int32_t PcmFormatTag = 1;
constexpr int32_t PlainFormatChunkSize = 16;

// A chunk tag: four bytes taken as characters in file order.
bool ReadTag(TStream& stream, std::string_view expected) {
    char tag[4];
    stream.ReadBytes(tag, 4);
    return std::string_view(tag, 4) == expected;
}

int32_t SampleFormatOf(int32_t bits, int32_t channels) {
    if (bits == 8 && channels == 1) {
        return FormatMono8;
    }
    if (bits == 8 && channels == 2) {
        return FormatStereo8;
    }
    if (bits == 16 && channels == 1) {
        return FormatMono16LE;
    }
    if (bits == 16 && channels == 2) {
        return FormatStereo16LE;
    }
    return 0;
}

// The "data" chunk. Its size is checked against what the file still holds
// before anything is allocated, so a corrupt header cannot ask for gigabytes.
// Bytes past the last whole frame are read over, not stored. The samples are
// kept in the file's byte order, which their format names (16LE).
std::shared_ptr<TAudioSample> ReadData(TStream& stream, int32_t size, int32_t hertz,
                                       int32_t format) {
    if (size < 0 || size > stream.Size() - stream.Pos()) {
        return nullptr;
    }
    const int32_t frameBytes = BytesPerFrame(format);
    auto sample = TAudioSample::Create(size / frameBytes, hertz, format);
    stream.ReadBytes(sample->samples, sample->capacity);
    stream.SkipBytes(size % frameBytes);
    return sample;
}

} // namespace

std::shared_ptr<TAudioSample> TAudioSampleLoaderWAV::LoadAudioSample(TStream& stream) {
    if (!ReadTag(stream, "RIFF")) {
        return nullptr;
    }
    ReadLittleEndianInt(stream); // the RIFF size: the chunks say it again
    if (!ReadTag(stream, "WAVE") || !ReadTag(stream, "fmt ")) {
        return nullptr;
    }
    const int32_t formatSize = ReadLittleEndianInt(stream);
    // A shorter format chunk would have us read the next chunk's header as
    // the sample layout.
    if (formatSize < PlainFormatChunkSize || ReadLittleEndianShort(stream) != PcmFormatTag) {
        return nullptr;
    }
    const int32_t channels = ReadLittleEndianShort(stream);
    const int32_t hertz = ReadLittleEndianInt(stream);
    ReadLittleEndianInt(stream);   // byte rate
    ReadLittleEndianShort(stream); // block alignment
    const int32_t bits = ReadLittleEndianShort(stream);
    const int32_t format = SampleFormatOf(bits, channels);
    // A rate of 0 could never be played.
    if (format == 0 || hertz <= 0) {
        return nullptr;
    }
    stream.SkipBytes(formatSize - PlainFormatChunkSize); // the format's extension

    while (!stream.Eof()) {
        const bool isData = ReadTag(stream, "data");
        const int32_t size = ReadLittleEndianInt(stream);
        if (isData) {
            return ReadData(stream, size, hertz, format);
        }
        // Taken literally: an odd-sized chunk is not padded to an even size.
        if (size < 0) {
            return nullptr;
        }
        stream.SkipBytes(size);
    }
    return nullptr;
}
