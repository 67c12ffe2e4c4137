#!/usr/bin/env bash
# Builds a Release of the game and starts it.
# BUILD_DIR chooses the build directory (default: build/release).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$root/build/release}

"$root/scripts/deps.sh"

cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release \
    -DSEWER_BUILD_TESTS=OFF -DSEWER_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)" --target sewer-run

exec "$build_dir/bin/sewer-run"
