#!/usr/bin/env bash
# Builds a Release of the game and starts it.
# BUILD_DIR chooses the build directory (default: build/release).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$root/build/release}

"$root/scripts/deps.sh"

cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DSEWER_BUILD_TESTS=OFF >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"

game="$build_dir/bin/sewer-run"
if [ -x "$game" ]; then
    exec "$game" "$@"
fi

# Until the game exists, show what does. A city of a random seed, laid out with
# the road tiles beside the program, drawn whole and as close-ups of junctions.
if [ -x "$build_dir/bin/render-city" ] && [ -d "$build_dir/bin/img" ]; then
    seed=$RANDOM
    "$build_dir/bin/render-city" --seed "$seed" --out "$build_dir/city-$seed" |
        grep -E '^(seed |close-up: |wrote )'
fi

# And the engine's foundation, measured.
echo "The game itself (bin/sewer-run) is not built yet: still to come are the cars," \
    "the pedestrians, the smoke and the screens."
echo "Running what exists: the pathfinder that will lay out the city's roads."
exec "$build_dir/bin/bench-pathfinder" --benchmark_min_time=0.2
