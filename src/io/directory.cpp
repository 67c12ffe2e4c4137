#include "io/directory.h"

#include "io/path.h"
#include "util/runtime_error.h"
#include "util/utf8.h"

#include <dirent.h>
#include <unistd.h>

#include <cerrno>
#include <string>

class TDir {
public:
    explicit TDir(DIR* handle) : _handle(handle) {}
    ~TDir() { closedir(_handle); }
    TDir(const TDir&) = delete;
    TDir& operator=(const TDir&) = delete;

    Text NextName() {
        const dirent* entry = readdir(_handle);
        return entry ? Utf8ToText(entry->d_name) : Text();
    }

private:
    DIR* _handle;
};

void TDirCloser::operator()(TDir* dir) const {
    delete dir;
}

Text WorkingDirectory() {
    // Grown until the path fits: a deep working directory is not an error.
    std::string buffer(256, '\0');
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE) {
            // Every asset path starts here: going on with an empty text
            // would look for them under the root instead.
            RaiseRuntimeError(u"could not read the working directory");
        }
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(buffer.find('\0'));
    return NormalizePath(Utf8ToText(buffer), false);
}

TDirHandle DirOpen(const Text& path) {
    const Text cleaned = NormalizePath(path, true);
    if (cleaned.empty()) {
        return nullptr;
    }
    DIR* handle = opendir(TextToUtf8(cleaned).c_str());
    if (!handle) {
        return nullptr;
    }
    return TDirHandle(new TDir(handle));
}

Text DirNextName(const TDirHandle& handle) {
    return handle ? handle->NextName() : Text();
}

void DirClose(TDirHandle& handle) {
    handle.reset();
}
