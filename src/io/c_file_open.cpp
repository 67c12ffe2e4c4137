#include "io/c_file_open.h"

#include "util/utf8.h"

// File names are bytes here, UTF-8 by convention.
FILE* OpenCFile(const Text& path, const char* mode) {
    return std::fopen(TextToUtf8(path).c_str(), mode);
}
