#include "io/path.h"

#include <algorithm>

namespace {

bool StartsWithShare(const Text& path) {
    return path.starts_with(u"//");
}

} // namespace

Text NormalizePath(const Text& path, bool directory) {
    Text result = path;
    std::replace(result.begin(), result.end(), u'\\', u'/');
    if (!StartsWithShare(result)) {
        const auto colon = result.find(u':');
        if (colon != Text::npos) {
            // "a::b" is a scheme-style name, not a drive.
            const bool doubleColon = colon + 1 < result.size() && result[colon + 1] == u':';
            const auto slash = result.find(u'/');
            if (!doubleColon && (slash == Text::npos || slash > colon + 1)) {
                result = result.substr(0, colon + 1) + u'/' + result.substr(colon + 1);
            }
        }
    } else if (result.find(u'/', 2) == Text::npos) {
        result += u'/';
    }
    if (directory && result.ends_with(u'/') && !IsPathRoot(result)) {
        result.pop_back();
    }
    return result;
}

Text PathRoot(const Text& path) {
    if (StartsWithShare(path)) {
        const auto slash = path.find(u'/', 2);
        return slash == Text::npos ? Text() : path.substr(0, slash + 1);
    }
    const auto colon = path.find(u':');
    if (colon != Text::npos && path.find(u'/') == colon + 1) {
        return path.substr(0, colon + 2);
    }
    if (path.starts_with(u'/')) {
        return u"/";
    }
    return Text();
}

bool IsPathRoot(const Text& path) {
    return !path.empty() && path == PathRoot(path);
}
