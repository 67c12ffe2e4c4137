#!/usr/bin/env bash
# Builds the benchmarks and runs them all, each window one on a private
# virtual display with Mesa's software renderer, then prints the figures
# held against their budgets (docs/performance.md explains them).
# BUILD_DIR chooses the build directory (default: build/bench); RESULTS the
# folder for every benchmark's full output (default: $BUILD_DIR/bench-results).
#
# `scripts/bench.sh web [--runs N] [--seconds S]` measures the browser version
# instead, in headless Chromium (bench/web/page_bench.js, which takes the
# arguments): the site scripts/web.sh built (SEWER_WEB_SITE, default
# build/web/site), with puppeteer-core from SEWER_WEB_NPM_DIR (default
# build/web/npm). It builds nothing; its output goes to $RESULTS/web.txt
# (default: build/web/bench-results).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$root/build/bench}
results=${RESULTS:-$build_dir/bench-results}
startup_runs=15

# Runs a program with its launch time in SEWER_LAUNCH_NS, so that it can
# tell how long it took from the launch to its first frame.
launch() {
    SEWER_LAUNCH_NS=$(date +%s%N) exec "$@"
}

# The value of "name value unit" lines for `name`, median over the files.
median_of() {
    local name=$1
    shift
    awk -v n="$name" '$1 == n { print $2 }' "$@" | sort -g |
        awk '{ v[NR] = $1 } END { if (NR == 0) print "nan"; else if (NR % 2) print v[(NR + 1) / 2];
              else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

inside_display() {
    local bin=$build_dir/bin
    cd "$bin"
    echo "== BuildWorld over 50 seeds, image library loading"
    ./bench-city-build --benchmark_out="$results/city.json" --benchmark_out_format=json
    echo "== pathfinder"
    ./bench-pathfinder --benchmark_out="$results/pathfinder.json" --benchmark_out_format=json
    echo "== one frame of simulation, 0/10/50 police cars"
    ./bench-actors-frame --benchmark_out="$results/actors.json" --benchmark_out_format=json
    echo "== picture loading against bare libpng"
    ./bench-pixmap-loader --benchmark_out="$results/pixmap.json" --benchmark_out_format=json
    echo "== 2D drawing in a window"
    ./bench-draw2d --benchmark_out="$results/draw2d.json" --benchmark_out_format=json

    # Opening a window alone varies by tens of milliseconds from run to run,
    # more than the budget leaves, so the medians need many runs.
    echo "== start-up to the first presented frame ($startup_runs runs each, alternating)"
    rm -f "$results"/bare-*.txt "$results"/startup-*.txt
    for run in $(seq 1 "$startup_runs"); do
        (launch ./bench-bare-window) >"$results/bare-$run.txt"
        (launch ./bench-game-startup 1) >"$results/startup-$run.txt"
    done
    echo "== unpaced frames: bare textured quad, then the game's RunFrame"
    ./bench-bare-window quad 300 >"$results/quad.txt"
    ./bench-game-startup 300 >"$results/frames.txt"
    cat "$results/quad.txt" "$results/frames.txt"

    echo "== pacing: 600 frames at 60 Hz"
    ./frame-pacing | tee "$results/pacing.txt"

    echo "== 50 games back to back, Space on the lose screen: unpaced, then at 60 Hz"
    ./bench-play-again 50 | tr -d '\r' | grep '_mb \|_ms \|^games_played' | tee "$results/play-again.txt"
    ./bench-play-again 50 60 | tr -d '\r' | grep '_mb \|_ms \|^games_played' |
        tee "$results/play-again-60hz.txt"
}

web_bench() {
    local site=${SEWER_WEB_SITE:-$root/build/web/site}
    local web_results=${RESULTS:-$root/build/web/bench-results}
    if [ ! -f "$site/sewer-run.wasm" ]; then
        echo "No browser version in $site: build it first with scripts/web.sh" >&2
        exit 1
    fi
    export SEWER_WEB_NPM_DIR=${SEWER_WEB_NPM_DIR:-$root/build/web/npm}
    if [ ! -d "$SEWER_WEB_NPM_DIR/node_modules/puppeteer-core" ]; then
        echo "No puppeteer-core in $SEWER_WEB_NPM_DIR: scripts/web.sh --test installs it" >&2
        exit 1
    fi
    mkdir -p "$web_results"
    node "$root/bench/web/page_bench.js" "$site" "$@" | tee "$web_results/web.txt"
}

if [[ ${1:-} == web ]]; then
    shift
    web_bench "$@"
    exit
fi

if [[ ${1:-} == --inside ]]; then
    inside_display
    exit
fi

cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSEWER_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)" --target bench-city-build bench-pathfinder \
    bench-actors-frame bench-pixmap-loader bench-draw2d bench-bare-window bench-game-startup \
    bench-play-again frame-pacing game-assets
mkdir -p "$results"

export GALLIUM_DRIVER=llvmpipe
BUILD_DIR=$build_dir RESULTS=$results \
    xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" --inside

bare_first=$(median_of first_frame_ms "$results"/bare-*.txt)
game_first=$(median_of first_frame_ms "$results"/startup-*.txt)
quad_cpu=$(median_of quad_frame_cpu_ms "$results/quad.txt")
frame_cpu=$(median_of frame_cpu_ms_cops_10 "$results/frames.txt")
bare_rss=$(median_of peak_rss_mb "$results/quad.txt")
game_rss=$(median_of peak_rss_mb "$results/frames.txt")

echo
echo "== against the budgets"
for phase in launch window pictures sounds image_library city pedestrians title_frame; do
    printf '  start-up phase %-14s %8.2f ms (median of %d)\n' "$phase" \
        "$(median_of "startup_${phase}_ms" "$results"/startup-*.txt)" "$startup_runs"
done
awk -v b="$bare_first" -v g="$game_first" 'BEGIN {
    printf "  first title frame  %.1f ms, bare window %.1f ms: +%.1f ms (budget +50)\n", g, b, g - b }'
awk -v q="$quad_cpu" -v f="$frame_cpu" 'BEGIN {
    printf "  frame CPU, 10 cops %.3f ms, bare quad %.3f ms: %.2f x (budget 2 x)\n", f, q, f / q }'
awk -v b="$bare_rss" -v g="$game_rss" 'BEGIN {
    printf "  peak memory        %.1f MB, bare window %.1f MB: +%.1f MB (budget +30)\n", g, b, g - b }'
# A field of the named benchmark in Google Benchmark's JSON output, which
# writes one field per line.
json_field() {
    awk -v name="\"$2\"" -v field="\"$3\":" '
        $1 == "\"name\":" && $2 == name "," { inside = 1 }
        inside && $1 == field { sub(",", "", $2); print $2; exit }' "$1"
}
build_world=$(json_field "$results/city.json" BM_BuildWorld/min_time:6.000 median_ms)
build_world_p95=$(json_field "$results/city.json" BM_BuildWorld/min_time:6.000 p95_ms)
simulate=$(json_field "$results/actors.json" BM_SimulateFrame/10 cpu_time)
awk -v m="$build_world" -v p="$build_world_p95" 'BEGIN {
    printf "  BuildWorld         median %.2f ms, 95th percentile %.2f ms over 50 seeds (budget median 10 ms)\n", m, p }'
awk -v s="$simulate" 'BEGIN {
    printf "  simulation, 10 cops %.4f ms per frame (budget 0.2 ms)\n", s / 1000 }'
awk '/^mean interval:/ { m = $3 } /^99th percentile:/ { p = $3 } /^drift against/ { d = $5 }
    END { printf "  pacing             mean %s ms (budget 16.667 +- 0.05), drift %s ms (budget 2), 99th percentile %s ms\n", m, d, p }' \
    "$results/pacing.txt"
awk '$1 == "resident_after_1_game_mb" { one = $2 } $1 ~ /^resident_after_[0-9]+_games_mb$/ { many = $2 }
    $1 == "space_to_first_frame_median_ms" { space = $2 }
    END { printf "  games back to back resident %.1f MB after 1 game, %.1f MB after 50; Space to first frame %.1f ms (median, unpaced)\n", one, many, space }' \
    "$results/play-again.txt"
