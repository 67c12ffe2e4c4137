#!/usr/bin/env bash
# Builds the Debian package of the game and checks it: a Release built with
# Debian's hardening flags, packaged by CPack, checked by lintian (an error or
# a warning fails the script), listed, and unpacked into a temporary tree
# that gets the same checks as an install (validators, and the program
# started from elsewhere on a private virtual display).
# BUILD_DIR chooses the build directory (default: build/package); the
# package is left in it.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$root/build/package}

"$root/scripts/deps.sh"

cd "$root"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cflags="$(dpkg-buildflags --get CFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DSEWER_WARNINGS_AS_ERRORS=ON \
    -DSEWER_BUILD_TESTS=OFF -DSEWER_BUILD_BENCHMARKS=OFF \
    -DCMAKE_C_FLAGS="$cflags" -DCMAKE_CXX_FLAGS="$cxxflags" \
    -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"

rm -f "$build_dir"/*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
debs=("$build_dir"/*.deb)
deb=${debs[0]}
echo "Package: $deb"

echo "--- lintian"
lintian --fail-on error,warning --display-info --display-experimental --pedantic "$deb"
echo "--- contents"
dpkg -c "$deb"

tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
desktop=("$tree"/usr/share/applications/*.desktop)
export GALLIUM_DRIVER=llvmpipe
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
    "$root/tests/dist/check_installed_tree.sh" "$tree/usr" "$(basename "${desktop[0]}" .desktop)"
