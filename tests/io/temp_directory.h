#pragma once

// A scratch directory unique to the running test, removed with everything in
// it when the test ends. Shared by the tests of every layer that reads files.

#include "util/text.h"
#include "util/utf8.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

class TTempDirectory {
public:
    TTempDirectory() {
        const auto unique = std::to_string(getpid()) + "-" + std::to_string(std::random_device{}());
        _root = std::filesystem::temp_directory_path() / ("sewer-test-" + unique);
        std::filesystem::create_directories(_root);
    }
    ~TTempDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(_root, ignored);
    }
    TTempDirectory(const TTempDirectory&) = delete;
    TTempDirectory& operator=(const TTempDirectory&) = delete;

    // Names are UTF-8, as the program's file names are on every platform.
    std::filesystem::path Path(const std::string& name = "") const {
        return _root / std::u8string(name.begin(), name.end());
    }
    Text TextPath(const std::string& name = "") const {
        const std::u8string path = Path(name).u8string();
        return Utf8ToText(std::string(path.begin(), path.end()));
    }

    // Returns the file's path.
    Text WriteFile(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return TextPath(name);
    }
    std::string ReadFile(const std::string& name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path _root;
};
