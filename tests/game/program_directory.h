#pragma once

// A scratch directory that stands in for the program's own directory: it is
// the working directory while the object lives, and is removed with
// everything in it afterwards.

#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>

class TScratchProgramDirectory {
public:
    TScratchProgramDirectory() : _previous(std::filesystem::current_path()) {
        const auto unique = std::to_string(getpid()) + "-" + std::to_string(std::random_device{}());
        _root = std::filesystem::temp_directory_path() / ("sewer-game-test-" + unique);
        std::filesystem::create_directories(_root);
        std::filesystem::current_path(_root);
    }
    ~TScratchProgramDirectory() {
        std::error_code ignored;
        std::filesystem::current_path(_previous, ignored);
        std::filesystem::remove_all(_root, ignored);
    }
    TScratchProgramDirectory(const TScratchProgramDirectory&) = delete;
    TScratchProgramDirectory& operator=(const TScratchProgramDirectory&) = delete;

    std::filesystem::path Path(const std::string& name = "") const { return _root / name; }

private:
    std::filesystem::path _previous;
    std::filesystem::path _root;
};
