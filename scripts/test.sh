#!/usr/bin/env bash
# Builds everything with warnings as errors and runs the whole test suite,
# then builds the suite again with the sanitizers and runs it once more.
# BUILD_DIR chooses the build directory (default: build/test); the sanitizer
# build goes to SANITIZE_BUILD_DIR (default: BUILD_DIR with -sanitize added).
# SEWER_SKIP_SANITIZE=1 runs the normal build only. The Windows version is
# cross-built and tested under Wine after the normal build (scripts/windows.sh,
# into WINDOWS_BUILD_DIR, default build/windows); SEWER_SKIP_WINDOWS=1 leaves
# it out. The browser version is built and tested under Node and headless
# Chromium next (scripts/web.sh, into WEB_BUILD_DIR, default build/web);
# SEWER_SKIP_WEB=1 leaves it out.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$root/build/test}
sanitize_dir=${SANITIZE_BUILD_DIR:-$build_dir-sanitize}
jobs=$(nproc)

"$root/scripts/deps.sh"

# The tests that open windows need an X display with OpenGL. Each run gets a
# private virtual one (24-bit: GLX needs a depth of 16 or more) on Mesa's
# software renderer, started here and stopped with the run, whether or not a
# desktop is present: those tests run everywhere and never touch a desktop.
export GALLIUM_DRIVER=llvmpipe
run_suite() {
    (cd "$1" && xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
        ctest --output-on-failure --parallel "$jobs" --timeout "$2")
}

cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSEWER_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build "$build_dir" --parallel "$jobs"
run_suite "$build_dir" 300

if [ "${SEWER_SKIP_WINDOWS:-0}" != 1 ]; then
    SEWER_LINUX_BIN_DIR="$build_dir/bin" "$root/scripts/windows.sh" --test
fi

if [ "${SEWER_SKIP_WEB:-0}" != 1 ]; then
    SEWER_LINUX_BIN_DIR="$build_dir/bin" "$root/scripts/web.sh" --test
fi

[ "${SEWER_SKIP_SANITIZE:-0}" = 1 ] && exit 0

# The same suite with AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer: the first error stops the program that made it,
# and a leak at exit fails it. The benchmarks are left out, they test nothing.
# The suppressions name third-party libraries only; see the file.
cmake -S "$root" -B "$sanitize_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSEWER_WARNINGS_AS_ERRORS=ON -DSEWER_SANITIZE=ON -DSEWER_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$sanitize_dir" --parallel "$jobs"
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export LSAN_OPTIONS=suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
run_suite "$sanitize_dir" 900
