#pragma once

// Lets a HasNext/NextObject walk drive a range-for loop.
//
// The iterator takes each object as it moves onto it, so while the loop body
// runs the walk already stands on the next element, exactly as in a
// hand-written NextObject loop. That is what makes it safe for the body to
// remove the element it was given.

#include <cstddef>
#include <iterator>
#include <optional>
#include <type_traits>
#include <utility>

template <typename Enum>
class TEnumIterator {
public:
    using value_type = std::remove_cvref_t<decltype(std::declval<Enum&>().NextObject())>;
    using difference_type = std::ptrdiff_t;

    TEnumIterator() = default;
    explicit TEnumIterator(Enum walk) : _walk(std::move(walk)) { _Take(); }

    const value_type& operator*() const { return _current; }
    const value_type* operator->() const { return &_current; }

    TEnumIterator& operator++() {
        _Take();
        return *this;
    }
    void operator++(int) { _Take(); }

    friend bool operator==(const TEnumIterator& it, std::default_sentinel_t) { return it._done; }

private:
    void _Take() {
        _done = !_walk || !_walk->HasNext();
        _current = _done ? value_type{} : _walk->NextObject();
    }

    // Empty only in a default-made iterator, which is already at the end.
    std::optional<Enum> _walk;
    value_type _current{};
    bool _done = true;
};
