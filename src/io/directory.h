#pragma once

// The working directory and the listing of a directory's entries.

#include "util/text.h"

#include <memory>

// The process's current directory with "/" separators, keeping a trailing
// "/" only for a root. Raises a runtime error if the system cannot report
// it (the directory was removed, or may not be read).
Text WorkingDirectory();

// An open directory listing, owned by its handle and released with it.
class TDir;
struct TDirCloser {
    void operator()(TDir* dir) const;
};
using TDirHandle = std::unique_ptr<TDir, TDirCloser>;

// Null when the path is empty, missing or not a directory. A trailing "/" is
// allowed.
TDirHandle DirOpen(const Text& path);

// The next entry's name, without a directory part, in the system's order;
// "." and ".." are passed on when the system lists them. Empty at the end,
// and for a null handle.
Text DirNextName(const TDirHandle& handle);

// Releases the listing and leaves the handle null.
void DirClose(TDirHandle& handle);
