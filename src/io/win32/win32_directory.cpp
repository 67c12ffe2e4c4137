#include "io/directory.h"
#include "io/path.h"
#include "util/runtime_error.h"
#include "util/win32/wide_text.h"

#include <windows.h>

#include <string>

// The listing through FindFirstFileW, whose names are UTF-16 like the
// program's texts: a folder named in any script lists as it is named.
class TDir {
public:
    TDir(HANDLE handle, const WIN32_FIND_DATAW& first) : _handle(handle), _entry(first) {}
    ~TDir() { FindClose(_handle); }
    TDir(const TDir&) = delete;
    TDir& operator=(const TDir&) = delete;

    Text NextName() {
        if (!_pending) {
            if (!FindNextFileW(_handle, &_entry)) {
                return Text();
            }
        }
        _pending = false;
        return WideToText(_entry.cFileName);
    }

private:
    HANDLE _handle;
    WIN32_FIND_DATAW _entry;
    // FindFirstFileW has already read the first entry.
    bool _pending = true;
};

void TDirCloser::operator()(TDir* dir) const {
    delete dir;
}

Text WorkingDirectory() {
    // Grown until the path fits: a deep working directory is not an error.
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0) {
            // Every asset path starts here: going on with an empty text
            // would look for them under the root instead.
            RaiseRuntimeError(u"could not read the working directory");
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.resize(length);
    }
    return NormalizePath(WideToText(buffer), false);
}

TDirHandle DirOpen(const Text& path) {
    const Text cleaned = NormalizePath(path, true);
    if (cleaned.empty()) {
        return nullptr;
    }
    const DWORD attributes = GetFileAttributesW(TextToWide(cleaned).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return nullptr;
    }
    // A root already ends with its "/".
    const Text pattern = cleaned + (cleaned.ends_with(u'/') ? u"*" : u"/*");
    WIN32_FIND_DATAW first{};
    const HANDLE handle = FindFirstFileW(TextToWide(pattern).c_str(), &first);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    return TDirHandle(new TDir(handle, first));
}

Text DirNextName(const TDirHandle& handle) {
    return handle ? handle->NextName() : Text();
}

void DirClose(TDirHandle& handle) {
    handle.reset();
}
