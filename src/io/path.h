#pragma once

// Path clean-up by pure text rules: "/" is the separator (a backslash is
// taken as one), and three kinds of root are recognised: a drive root such
// as "C:/", the single "/", and a share root such as "//server/".

#include "util/text.h"

// Turns backslashes into "/", gives a bare drive its root slash ("C:" becomes
// "C:/", "C:foo" becomes "C:/foo") and a bare share its trailing slash
// ("//server" becomes "//server/"). With `directory` set, a trailing "/" is
// removed unless the path is a root.
Text NormalizePath(const Text& path, bool directory);

// "//server/", "C:/", "/" or the empty text for a relative path.
Text PathRoot(const Text& path);

// True when the path is not empty and is its own root.
bool IsPathRoot(const Text& path);
