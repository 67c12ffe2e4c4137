#include "io/builtin_stream_factories.h"

#include "io/embedded_data.h"
#include "io/memory_stream.h"
#include "io/stream_open.h"
#include "io/text_stream.h"

std::shared_ptr<TStream> TXEndianStreamFactory::CreateStream(const TUrl&, const Text& scheme,
                                                             const Text& path, bool readable,
                                                             bool writeable) {
    if (scheme == u"bigendian") {
        return BigEndianView(StreamOpen(path, readable, writeable));
    }
    if (scheme == u"littleendian") {
        return LittleEndianView(StreamOpen(path, readable, writeable));
    }
    return nullptr;
}

std::shared_ptr<TStream> TTextStreamFactory::CreateStream(const TUrl&, const Text& scheme,
                                                          const Text& path, bool readable,
                                                          bool writeable) {
    TTextStream::TEncoding encoding;
    if (scheme == u"latin1") {
        encoding = TTextStream::LATIN1;
    } else if (scheme == u"utf8") {
        encoding = TTextStream::UTF8;
    } else if (scheme == u"utf16be") {
        encoding = TTextStream::UTF16BE;
    } else if (scheme == u"utf16le") {
        encoding = TTextStream::UTF16LE;
    } else {
        return nullptr;
    }
    auto stream = StreamOpen(path, readable, writeable);
    if (!stream) {
        return nullptr;
    }
    return std::make_shared<TTextStream>(std::move(stream), encoding);
}

std::shared_ptr<TStream> TRamStreamFactory::CreateStream(const TUrl&, const Text& scheme,
                                                         const Text& path, bool, bool writeable) {
    if (scheme != u"embedded" || writeable) {
        return nullptr;
    }
    const auto data = FindEmbeddedData(path);
    if (!data) {
        return nullptr;
    }
    return std::make_shared<TRamStream>(data->data(), static_cast<int64_t>(data->size()));
}

std::shared_ptr<TStream> TBankStreamFactory::CreateStream(const TUrl& url, const Text&, const Text&,
                                                          bool, bool) {
    auto bank = url.Bank();
    if (!bank) {
        return nullptr;
    }
    return std::make_shared<TBankStream>(std::move(bank));
}

void MakeBuiltInStreamFactories() {
    static TBankStreamFactory bankFactory;
    static TRamStreamFactory ramFactory;
    static TTextStreamFactory textFactory;
    static TXEndianStreamFactory xendianFactory;
}
