#pragma once

// A directory of files written by one test, removed with them when the test
// ends.

#include "util/text.h"
#include "util/utf8.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

class TScratchDirectory {
public:
    TScratchDirectory() {
        const auto unique = std::to_string(getpid()) + "-" + std::to_string(std::random_device{}());
        _root = std::filesystem::temp_directory_path() / ("sewer-audio-test-" + unique);
        std::filesystem::create_directories(_root);
    }
    ~TScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(_root, ignored);
    }
    TScratchDirectory(const TScratchDirectory&) = delete;
    TScratchDirectory& operator=(const TScratchDirectory&) = delete;

    std::filesystem::path Path(const std::string& name) const { return _root / name; }
    Text TextPath(const std::string& name) const { return Utf8ToText(Path(name).string()); }

    Text WriteFile(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return TextPath(name);
    }

private:
    std::filesystem::path _root;
};
