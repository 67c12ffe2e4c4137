// Arbitrary text through the path clean-up: every two bytes are one UTF-16
// code unit, so backslashes, slashes, colons and drive letters meet in every
// order. Cleaning a clean file path changes nothing; the directory form is
// the file form less at most one trailing slash (only one: "a//" becomes
// "a/"); and the root of a path is a root.

#include "io/path.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Text path;
    for (size_t i = 0; i + 1 < size; i += 2) {
        path += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    }
    const Text file = NormalizePath(path, false);
    if (NormalizePath(file, false) != file || file.find(u'\\') != Text::npos) {
        std::abort();
    }
    const Text directory = NormalizePath(path, true);
    if (directory != file && directory + u'/' != file) {
        std::abort();
    }
    const Text root = PathRoot(file);
    if (!root.empty() && !IsPathRoot(root)) {
        std::abort();
    }
    return 0;
}
