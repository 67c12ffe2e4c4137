#!/usr/bin/env bash
# Builds everything with warnings as errors and runs the whole test suite.
# BUILD_DIR chooses the build directory (default: build/test).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$root/build/test}
jobs=$(nproc)

"$root/scripts/deps.sh"

cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSEWER_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build "$build_dir" --parallel "$jobs"

cd "$build_dir"
ctest --output-on-failure --parallel "$jobs" --timeout 300
