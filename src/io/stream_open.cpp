#include "io/stream_open.h"

#include "io/c_stream.h"
#include "io/memory_stream.h"
#include "io/stream_factory.h"
#include "io/stream_wrapper.h"
#include "io/xendian_stream.h"

#include <algorithm>
#include <bit>
#include <utility>

std::shared_ptr<TStream> StreamOpen(const TUrl& url, bool readable, bool writeable) {
    if (auto stream = url.Stream()) {
        return std::make_shared<TStreamStream>(std::move(stream));
    }
    const Text text = url.AsText();
    const auto separator = text.find(u"::");
    if (!text.empty() && separator == Text::npos) {
        return TCStream::OpenFile(text, readable, writeable);
    }
    Text scheme;
    Text path;
    if (separator != Text::npos) {
        scheme = LowerText(text.substr(0, separator));
        path = text.substr(separator + 2);
    }
    for (TStreamFactory& factory : StreamFactories()) {
        if (auto stream = factory.CreateStream(url, scheme, path, readable, writeable)) {
            return stream;
        }
    }
    return nullptr;
}

std::shared_ptr<TStream> StreamOpenRead(const TUrl& url) {
    return StreamOpen(url, true, false);
}

std::shared_ptr<TStream> StreamOpenWrite(const TUrl& url) {
    return StreamOpen(url, false, true);
}

namespace {

std::shared_ptr<TStream> ReadWholeIntoBank(TStream& stream) {
    auto bank = std::make_shared<TBank>();
    constexpr int32_t ChunkSize = 65536;
    for (;;) {
        const int64_t filled = bank->Size();
        bank->Resize(filled + ChunkSize);
        const int32_t n = stream.Read(bank->Data() + filled, ChunkSize);
        bank->Resize(filled + std::max(n, 0));
        if (n <= 0) {
            return std::make_shared<TBankStream>(std::move(bank));
        }
    }
}

} // namespace

std::shared_ptr<TStream> FileOpen(const TUrl& url, bool readable, bool writeable) {
    auto stream = StreamOpen(url, readable, writeable);
    // Only a read-only request is buffered: anything written to the copy
    // would never reach the real destination.
    if (stream && stream->Pos() == -1 && readable && !writeable) {
        auto buffered = ReadWholeIntoBank(*stream);
        stream->Close();
        return buffered;
    }
    return stream;
}

std::shared_ptr<TStream> FileOpenRead(const TUrl& url) {
    return FileOpen(url, true, false);
}

namespace {

// Typed access is in the host's order (stream.cpp).
std::shared_ptr<TStream> InByteOrder(std::shared_ptr<TStream> stream, std::endian order) {
    if (!stream || order == std::endian::native) {
        return stream;
    }
    return std::make_shared<TXEndianStream>(std::move(stream));
}

} // namespace

std::shared_ptr<TStream> LittleEndianView(std::shared_ptr<TStream> stream) {
    return InByteOrder(std::move(stream), std::endian::little);
}

std::shared_ptr<TStream> BigEndianView(std::shared_ptr<TStream> stream) {
    return InByteOrder(std::move(stream), std::endian::big);
}

bool Eof(const std::shared_ptr<TStream>& stream) {
    return !stream || stream->Eof();
}

Text ReadLine(const std::shared_ptr<TStream>& stream) {
    return stream ? stream->ReadLine() : Text();
}

void CloseStream(const std::shared_ptr<TStream>& stream) {
    if (stream) {
        stream->Close();
    }
}
