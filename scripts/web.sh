#!/usr/bin/env bash
# Builds the browser version (WebAssembly, with Debian's Emscripten) into
# build/web/ (WEB_BUILD_DIR chooses another directory): the site, ready for
# any static web server, lands in build/web/site/ and as a zip beside it.
#   scripts/web.sh          builds the site
#   scripts/web.sh serve    builds it, then serves it on http://127.0.0.1:8080/
#                           (PORT chooses another port) until Ctrl+C
#   scripts/web.sh --test   builds it, then runs the web test suite: the
#                           engine's tests under Node and the page in headless
#                           Chromium
# The pictures and sounds come from the project's generator built for this
# machine, and the page's title frame is compared with the Linux build's:
# SEWER_LINUX_BIN_DIR names a Linux build's bin/ that has both (default: a
# Linux build of the two made inside the web build directory).
#
# Emscripten's own downloads of zlib and libpng cannot be used (Debian freezes
# its cache), so Debian's source packages of both are fetched (through a
# private package list) and built once with Emscripten inside the build
# directory; GoogleTest is built the same way from Debian's sources.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${WEB_BUILD_DIR:-$root/build/web}
third_party=$build_dir/third-party
toolchain=$root/cmake/EmscriptenToolchain.cmake
jobs=$(nproc)
mode=${1:-build}

"$root/scripts/deps.sh" web
# shellcheck source=lib/debian_source.sh
. "$root/scripts/lib/debian_source.sh"
# Emscripten's tools are Node programs that need Debian's Node modules.
export NODE_PATH=/usr/share/nodejs
mkdir -p "$third_party/include" "$third_party/lib"

build_zlib() {
    # zlib's own CMake build needs files the Debian tarball lacks: its C
    # files are compiled one by one instead.
    local source
    source=$(debian_source_dir "$third_party" zlib)
    local objects=()
    for file in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast \
        inflate inftrees trees uncompr zutil; do
        emcc -O2 -DHAVE_UNISTD_H -DHAVE_STDARG_H -c "$source/$file.c" -o "$third_party/$file.o"
        objects+=("$third_party/$file.o")
    done
    emar rcs "$third_party/lib/libz.a" "${objects[@]}"
    rm -f "${objects[@]}"
    cp "$source/zlib.h" "$source/zconf.h" "$third_party/include/"
}

build_libpng() {
    local source
    source=$(debian_source_dir "$third_party" libpng1.6)
    emcmake cmake -S "$source" -B "$third_party/libpng-build" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$third_party" -DZLIB_INCLUDE_DIR="$third_party/include" \
        -DZLIB_LIBRARY="$third_party/lib/libz.a" -DPNG_SHARED=OFF -DPNG_TESTS=OFF \
        -DPNG_EXECUTABLES=OFF -DPNG_HARDWARE_OPTIMIZATIONS=OFF >/dev/null
    cmake --build "$third_party/libpng-build" --parallel "$jobs" >/dev/null
    cmake --install "$third_party/libpng-build" >/dev/null
}

build_googletest() {
    emcmake cmake -S /usr/src/googletest -B "$third_party/googletest-build" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$third_party" -DBUILD_GMOCK=OFF \
        -DCMAKE_CXX_FLAGS=-fexceptions -Dgtest_disable_pthreads=ON >/dev/null
    cmake --build "$third_party/googletest-build" --parallel "$jobs" >/dev/null
    cmake --install "$third_party/googletest-build" >/dev/null
}

if [ ! -f "$third_party/lib/libpng16.a" ]; then
    echo "Building zlib and libpng for the browser"
    fetch_debian_sources "$third_party" zlib libpng1.6
    build_zlib
    build_libpng
fi
if [ ! -f "$third_party/lib/libgtest.a" ]; then
    echo "Building GoogleTest for the browser"
    build_googletest
fi

# The generator and the title frame of this machine.
linux_bin=${SEWER_LINUX_BIN_DIR:-}
if [ -z "$linux_bin" ]; then
    cmake -S "$root" -B "$build_dir/linux" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DSEWER_BUILD_BENCHMARKS=OFF >/dev/null
    cmake --build "$build_dir/linux" --parallel "$jobs" --target make-assets title-frame game-assets
    linux_bin=$build_dir/linux/bin
fi

emcmake cmake -S "$root" -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DSEWER_WARNINGS_AS_ERRORS=ON -DSEWER_BUILD_BENCHMARKS=OFF \
    -DSEWER_LINUX_BIN_DIR="$linux_bin" >/dev/null
cmake --build "$build_dir" --parallel "$jobs"
cmake --build "$build_dir" --target web-site

case "$mode" in
build) ;;
serve)
    port=${PORT:-8080}
    echo "Open http://127.0.0.1:$port/ in a browser; Ctrl+C stops the server."
    exec python3 -m http.server --bind 127.0.0.1 --directory "$build_dir/site" "$port"
    ;;
--test)
    # The page's tests drive headless Chromium through puppeteer-core, fetched
    # from the npm registry at the version its lock file gives.
    npm_dir=$build_dir/npm
    mkdir -p "$npm_dir"
    cp "$root/tests/web/package.json" "$root/tests/web/package-lock.json" "$npm_dir/"
    (cd "$npm_dir" && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
    export GALLIUM_DRIVER=llvmpipe
    (cd "$build_dir" && xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
        ctest --output-on-failure --parallel "$jobs" --timeout 300)
    ;;
*)
    echo "usage: scripts/web.sh [serve | --test]" >&2
    exit 2
    ;;
esac
