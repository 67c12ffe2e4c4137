// Arbitrary bytes read back through the typed reads of a stream. The first
// bytes of the input are a script: each byte picks a read (its low nibble)
// and, for the reads that take a count, how many bytes (its high nibble);
// the script ends at the first zero byte, and the rest of the input is the
// stream, read in the machine's order, as little-endian and as big-endian.
// A read past the end must raise the stream's read error, nothing else.

#include "io/memory_stream.h"
#include "io/stream_exception.h"
#include "io/stream_open.h"

#include <cstdint>
#include <cstring>
#include <memory>

namespace {

void RunScript(TStream& stream, const uint8_t* script, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        const int32_t count = script[i] >> 4;
        try {
            switch (script[i] & 0x0F) {
            case 0:
                stream.ReadByte();
                break;
            case 1:
                stream.ReadShort();
                break;
            case 2:
                stream.ReadInt();
                break;
            case 3:
                stream.ReadLong();
                break;
            case 4:
                stream.ReadFloat();
                break;
            case 5:
                stream.ReadDouble();
                break;
            case 6:
                stream.ReadLine();
                break;
            case 7:
                stream.ReadString(count);
                break;
            case 8:
                stream.SkipBytes(count);
                break;
            case 9:
                stream.Seek(stream.Pos() - count);
                break;
            case 10: {
                uint8_t buffer[16];
                stream.ReadBytes(buffer, count);
                break;
            }
            default:
                stream.Eof();
                break;
            }
        } catch (const TStreamReadException&) {
            // The end of the data: the next read may still find something
            // after a backwards seek.
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto* end = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    const size_t scriptLength = end ? static_cast<size_t>(end - data) : size;
    const uint8_t* body = data + scriptLength + (end ? 1 : 0);
    const auto bodySize = static_cast<int64_t>(size - scriptLength - (end ? 1 : 0));

    TRamStream plain(body, bodySize);
    RunScript(plain, data, scriptLength);
    const auto little = LittleEndianView(std::make_shared<TRamStream>(body, bodySize));
    RunScript(*little, data, scriptLength);
    const auto big = BigEndianView(std::make_shared<TRamStream>(body, bodySize));
    RunScript(*big, data, scriptLength);
    return 0;
}
