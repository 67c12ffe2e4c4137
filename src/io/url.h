#pragma once

// What a stream can be opened from: a path text (optionally "scheme::path"),
// an existing stream, or a memory bank.

#include "io/bank.h"
#include "io/stream.h"
#include "util/text.h"

#include <concepts>
#include <memory>
#include <utility>
#include <variant>

// The constructors are implicit on purpose: a path, a stream or a bank is
// passed wherever a url is expected.
class TUrl {
public:
    TUrl(Text text) : _value(std::move(text)) {}
    TUrl(const char16_t* text) : _value(text ? Text(text) : Text()) {}
    template <std::derived_from<TStream> T>
    TUrl(std::shared_ptr<T> stream) : _value(std::shared_ptr<TStream>(std::move(stream))) {}
    TUrl(std::shared_ptr<TBank> bank) : _value(std::move(bank)) {}

    // Null unless the url is a (non-null) stream or bank.
    std::shared_ptr<TStream> Stream() const;
    std::shared_ptr<TBank> Bank() const;
    // The url as text; anything that is not text counts as the empty text.
    Text AsText() const;

private:
    std::variant<Text, std::shared_ptr<TStream>, std::shared_ptr<TBank>> _value;
};

inline std::shared_ptr<TStream> TUrl::Stream() const {
    const auto* stream = std::get_if<std::shared_ptr<TStream>>(&_value);
    return stream ? *stream : nullptr;
}

inline std::shared_ptr<TBank> TUrl::Bank() const {
    const auto* bank = std::get_if<std::shared_ptr<TBank>>(&_value);
    return bank ? *bank : nullptr;
}

inline Text TUrl::AsText() const {
    const auto* text = std::get_if<Text>(&_value);
    return text ? *text : Text();
}
