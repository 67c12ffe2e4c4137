#include "io/c_file_open.h"
#include "util/win32/wide_text.h"

// Windows takes file names in UTF-16, as the program keeps its texts, so any
// name reaches the file system unchanged; the 8-bit forms would go through
// the system's code page and lose what it cannot spell.
FILE* OpenCFile(const Text& path, const char* mode) {
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(TextToWide(path).c_str(), wideMode.c_str());
}
