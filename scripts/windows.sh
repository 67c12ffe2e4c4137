#!/usr/bin/env bash
# Cross-builds the Windows version (64-bit, MinGW-w64) into build/windows/
# (WINDOWS_BUILD_DIR chooses another directory) and makes its two releases
# there: sewer-run-<version>-windows-x64.zip, to unpack anywhere, and the
# installer sewer-run-<version>-setup-x64.exe. With --test it then runs the
# Windows test suite under Wine on a private virtual display. The game's title
# frame is compared with a Linux build's: SEWER_LINUX_BIN_DIR names its bin/
# (default: build/test/bin, when it has the title-frame program).
#
# Debian ships no libpng for Windows, so its own source package is fetched
# (through a private package list: the machine's apt configuration is left
# as it is), unpacked with Debian's patches and built once as a static
# library inside the build directory; GoogleTest is built the same way from
# Debian's sources. Both are kept between runs.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${WINDOWS_BUILD_DIR:-$root/build/windows}
third_party=$build_dir/third-party
toolchain=$root/cmake/MinGW64Toolchain.cmake
jobs=$(nproc)
run_tests=0
[ "${1:-}" = --test ] && run_tests=1

"$root/scripts/deps.sh" windows
# shellcheck source=lib/debian_source.sh
. "$root/scripts/lib/debian_source.sh"
mkdir -p "$third_party"

build_libpng() {
    [ -f "$third_party/lib/libpng16.a" ] && return
    echo "Building libpng for Windows"
    fetch_debian_sources "$third_party" libpng1.6
    local source
    source=$(debian_source_dir "$third_party" libpng1.6)
    cmake -S "$source" -B "$third_party/libpng-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$third_party" \
        -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF >/dev/null
    cmake --build "$third_party/libpng-build" --parallel "$jobs" >/dev/null
    cmake --install "$third_party/libpng-build" >/dev/null
}

build_googletest() {
    [ -f "$third_party/lib/libgtest.a" ] && return
    echo "Building GoogleTest for Windows"
    cmake -S /usr/src/googletest -B "$third_party/googletest-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$third_party" -DBUILD_GMOCK=OFF >/dev/null
    cmake --build "$third_party/googletest-build" --parallel "$jobs" >/dev/null
    cmake --install "$third_party/googletest-build" >/dev/null
}

build_libpng
build_googletest

linux_bin=${SEWER_LINUX_BIN_DIR:-}
if [ -z "$linux_bin" ] && [ -x "$root/build/test/bin/title-frame" ]; then
    linux_bin=$root/build/test/bin
fi

cmake -S "$root" -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSEWER_WARNINGS_AS_ERRORS=ON \
    -DSEWER_BUILD_BENCHMARKS=OFF -DSEWER_LINUX_BIN_DIR="$linux_bin" >/dev/null
cmake --build "$build_dir" --parallel "$jobs"
cmake --build "$build_dir" --target windows-dist

[ "$run_tests" = 1 ] || exit 0

# One Wine prefix for the whole run, its server kept up between the tests and
# stopped at the end whatever happens.
export WINEPREFIX=$build_dir/wine-prefix
"$root/tests/windows/wine_prefix.sh"
trap 'wineserver -k 2>/dev/null || true' EXIT
wineserver -p
# Wine's own services (the device and plug-and-play services, the desktop
# and the rest) start with the first program and stay up with the server,
# keeping every file that program had open, and the desktop stays on the
# display it started with. Started first, on the tests' display, they keep
# none of the tests' output: ctest, which waits for whatever holds a test's
# output, would otherwise wait for them until the test timed out.
export GALLIUM_DRIVER=llvmpipe
(cd "$build_dir" && xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" sh -c '
    WINEDEBUG=-all timeout 120 wine cmd /c exit </dev/null >/dev/null 2>&1
    exec ctest --output-on-failure --parallel "$1" --timeout 300' sh "$jobs")
