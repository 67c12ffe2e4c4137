#include "io/standard_io.h"

#include <cstdio>

bool TCStandardIO::Eof() {
    return std::feof(stdin) != 0;
}

int32_t TCStandardIO::Flush() {
    return std::fflush(stdout);
}

int32_t TCStandardIO::Read(void* buffer, int32_t count) {
    if (count <= 0) {
        return 0;
    }
    return static_cast<int32_t>(std::fread(buffer, 1, count, stdin));
}

int32_t TCStandardIO::Write(const void* buffer, int32_t count) {
    if (count <= 0) {
        return 0;
    }
    return static_cast<int32_t>(std::fwrite(buffer, 1, count, stdout));
}
