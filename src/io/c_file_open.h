#pragma once

// Opening a file through the C library by a path in the program's own text:
// the one place where a path meets the platform's file-name encoding.

#include "util/text.h"

#include <cstdio>

// fopen's modes and results; the path has "/" separators.
FILE* OpenCFile(const Text& path, const char* mode);
