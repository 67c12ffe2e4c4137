#pragma once

// The factories behind the schemes the stream layer itself understands.

#include "io/stream_factory.h"

// "bigendian::path" and "littleendian::path": a byte-order view of the path.
class TXEndianStreamFactory : public TStreamFactory {
public:
    std::shared_ptr<TStream> CreateStream(const TUrl& url, const Text& scheme, const Text& path,
                                          bool readable, bool writeable) override;
};

// "latin1::", "utf8::", "utf16be::", "utf16le::": a text codec over the path.
class TTextStreamFactory : public TStreamFactory {
public:
    std::shared_ptr<TStream> CreateStream(const TUrl& url, const Text& scheme, const Text& path,
                                          bool readable, bool writeable) override;
};

// "embedded::name", read-only: the data block registered under that name.
class TRamStreamFactory : public TStreamFactory {
public:
    std::shared_ptr<TStream> CreateStream(const TUrl& url, const Text& scheme, const Text& path,
                                          bool readable, bool writeable) override;
};

// A url that is a TBank: a stream over the bank.
class TBankStreamFactory : public TStreamFactory {
public:
    std::shared_ptr<TStream> CreateStream(const TUrl& url, const Text& scheme, const Text& path,
                                          bool readable, bool writeable) override;
};

// Makes the four built-in factories, which live until the program ends. The
// chain alone calls this, once, before the first other factory joins.
void MakeBuiltInStreamFactories();
