#pragma once

// A fixed-size two-dimensional array addressed as (x, y): x is the column and
// the first index, y the row. The city's cost grid, its tile pictures and the
// pathfinder's node lookup are all grids of this kind.

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

template <typename T>
class TGrid2D {
public:
    TGrid2D() = default;

    TGrid2D(int32_t width, int32_t height, const T& value = T{}) { Resize(width, height, value); }

    int32_t Width() const { return _width; }
    int32_t Height() const { return _height; }

    bool Contains(int32_t x, int32_t y) const {
        return x >= 0 && x < _width && y >= 0 && y < _height;
    }

    T& operator()(int32_t x, int32_t y) { return _cells[_Index(x, y)]; }
    const T& operator()(int32_t x, int32_t y) const { return _cells[_Index(x, y)]; }

    void Fill(const T& value) { _cells.assign(_cells.size(), value); }

    // Changes the size; every cell, old or new, then holds `value`. Nothing
    // keeps its place across a resize, so nothing pretends to.
    void Resize(int32_t width, int32_t height, const T& value = T{}) {
        if (width < 0 || height < 0) {
            throw std::invalid_argument("TGrid2D: negative size");
        }
        _cells.assign(static_cast<size_t>(width) * static_cast<size_t>(height), value);
        _width = width;
        _height = height;
    }

private:
    // Column after column, so the x-outer, y-inner loops of the map builder
    // walk memory in order.
    size_t _Index(int32_t x, int32_t y) const {
        assert(Contains(x, y));
        return static_cast<size_t>(x) * static_cast<size_t>(_height) + static_cast<size_t>(y);
    }

    int32_t _width = 0;
    int32_t _height = 0;
    std::vector<T> _cells;
};
