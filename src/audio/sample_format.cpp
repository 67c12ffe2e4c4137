#include "audio/sample_format.h"

#include "util/runtime_error.h"

#include <array>
#include <cstring>
#include <vector>

namespace {

constexpr std::array<int32_t, 7> BytesPerFrameTable = {0, 1, 2, 2, 2, 4, 4};
constexpr std::array<int32_t, 7> ChannelTable = {0, 1, 1, 1, 2, 2, 2};

int16_t ReadLE(const uint8_t* p) {
    return static_cast<int16_t>(p[0] | (p[1] << 8));
}

int16_t ReadBE(const uint8_t* p) {
    return static_cast<int16_t>((p[0] << 8) | p[1]);
}

void WriteLE(uint8_t* p, int32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void WriteBE(uint8_t* p, int32_t v) {
    p[0] = static_cast<uint8_t>(v >> 8);
    p[1] = static_cast<uint8_t>(v);
}

// 0 ... 255 spread over the whole 16-bit range: 0 is -32768, 255 is 32767.
int32_t WidenByte(uint8_t byte) {
    return byte * 257 - 32768;
}

uint8_t NarrowToByte(int32_t v) {
    return static_cast<uint8_t>((v + 32768) / 257);
}

void ConvertUp(const uint8_t* source, int32_t format, uint8_t* target, int32_t frames) {
    for (int32_t i = 0; i < frames; ++i, target += 4) {
        int32_t left = 0;
        int32_t right = 0;
        switch (format) {
        case FormatMono8:
            left = right = WidenByte(source[i]);
            break;
        case FormatMono16LE:
            left = right = ReadLE(source + 2 * i);
            break;
        case FormatMono16BE:
            left = right = ReadBE(source + 2 * i);
            break;
        case FormatStereo8:
            left = WidenByte(source[2 * i]);
            right = WidenByte(source[2 * i + 1]);
            break;
        case FormatStereo16LE:
            left = ReadLE(source + 4 * i);
            right = ReadLE(source + 4 * i + 2);
            break;
        }
        WriteBE(target, left);
        WriteBE(target + 2, right);
    }
}

void ConvertDown(const uint8_t* source, uint8_t* target, int32_t format, int32_t frames) {
    for (int32_t i = 0; i < frames; ++i, source += 4) {
        const int32_t left = ReadBE(source);
        const int32_t right = ReadBE(source + 2);
        const int32_t mono = (left + right) / 2; // truncates toward zero
        switch (format) {
        case FormatMono8:
            target[i] = NarrowToByte(mono);
            break;
        case FormatMono16LE:
            WriteLE(target + 2 * i, mono);
            break;
        case FormatMono16BE:
            WriteBE(target + 2 * i, mono);
            break;
        case FormatStereo8:
            target[2 * i] = NarrowToByte(left);
            target[2 * i + 1] = NarrowToByte(right);
            break;
        case FormatStereo16LE:
            WriteLE(target + 4 * i, left);
            WriteLE(target + 4 * i + 2, right);
            break;
        }
    }
}

} // namespace

bool IsSampleFormat(int32_t format) {
    return format >= FormatMono8 && format <= FormatStereo16BE;
}

int32_t BytesPerFrame(int32_t format) {
    return IsSampleFormat(format) ? BytesPerFrameTable[format] : 0;
}

int32_t ChannelCount(int32_t format) {
    return IsSampleFormat(format) ? ChannelTable[format] : 0;
}

void ConvertSampleFrames(const uint8_t* source, int32_t sourceFormat, uint8_t* target,
                         int32_t targetFormat, int32_t frames) {
    if (sourceFormat == targetFormat) {
        if (frames > 0) {
            std::memcpy(target, source, static_cast<size_t>(frames) * BytesPerFrame(sourceFormat));
        }
        return;
    }
    if (!IsSampleFormat(sourceFormat) || !IsSampleFormat(targetFormat)) {
        RaiseRuntimeError(u"Unimplemented sample format conversion");
    }
    if (frames <= 0) {
        return;
    }
    if (sourceFormat == FormatStereo16BE) {
        ConvertDown(source, target, targetFormat, frames);
    } else if (targetFormat == FormatStereo16BE) {
        ConvertUp(source, sourceFormat, target, frames);
    } else {
        std::vector<uint8_t> between(static_cast<size_t>(frames) * 4);
        ConvertUp(source, sourceFormat, between.data(), frames);
        ConvertDown(between.data(), target, targetFormat, frames);
    }
}
