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
# The tests that open windows need an X display with OpenGL. Each run gets a
# private virtual one (24-bit: GLX needs a depth of 16 or more) on Mesa's
# software renderer, started here and stopped with the run, whether or not a
# desktop is present: those tests run everywhere and never touch a desktop.
export GALLIUM_DRIVER=llvmpipe
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
    ctest --output-on-failure --parallel "$jobs" --timeout 300
