#pragma once

// The process's console: reads come from the C standard input, writes go to
// the C standard output. It cannot seek.

#include "io/stream.h"

class TCStandardIO : public TStream {
public:
    // True once standard input has run out. (The position rule would never
    // be true for a stream that cannot seek, and a read loop would spin.)
    bool Eof() override;
    int32_t Flush() override;
    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
};
