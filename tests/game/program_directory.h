#pragma once

// A scratch directory that stands in for the program's own directory: it is
// the working directory while the object lives, and is removed with
// everything in it afterwards.

#include "temp_directory.h"

#include <filesystem>

class TScratchProgramDirectory : public TTempDirectory {
public:
    TScratchProgramDirectory() : _previous(std::filesystem::current_path()) {
        std::filesystem::current_path(Path());
    }
    ~TScratchProgramDirectory() {
        std::error_code ignored;
        std::filesystem::current_path(_previous, ignored);
    }
    TScratchProgramDirectory(const TScratchProgramDirectory&) = delete;
    TScratchProgramDirectory& operator=(const TScratchProgramDirectory&) = delete;

private:
    std::filesystem::path _previous;
};
