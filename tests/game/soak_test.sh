#!/usr/bin/env bash
# The real program played for a while by random held keys: arrows held and
# released at random, C pressed many times (a police car each), M (the map)
# and Left Control (the handbrake of the keys). Every interval it reports
# the program's resident memory and the processor time it used; at the end
# it checks the program is still running, that its memory did not grow by
# more than a bound after the first interval, and that Escape ends it with
# status 0. Given the frame counter library, it also reports the frames per
# second of every interval and fails if an interval presented none.
# Usage: soak_test.sh <build bin directory> [seconds] [report interval]
#                     [frame counter library]
set -uo pipefail

bin=$1
seconds=${2:-60}
interval=${3:-10}
frame_counter=${4:-}
# Growth allowed after the first report, in kB: the police cars added by C
# are kept, and a sanitizer build holds freed memory in quarantine.
growth_limit_kb=${SOAK_GROWTH_LIMIT_KB:-262144}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

mkdir -p "$work/game"
cp -r "$bin/sewer-run" "$bin/img" "$bin/car2.wav" "$bin/explo.wav" "$work/game/"
frames_file=$work/frames.txt
if [ -n "$frame_counter" ]; then
    # A preloaded library comes before a sanitizer runtime; that is harmless
    # here, since the counter allocates nothing.
    export LD_PRELOAD=$frame_counter SEWER_FRAME_COUNT_FILE=$frames_file
    export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0
fi
(cd / && exec "$work/game/sewer-run") >"$work/out.txt" 2>"$work/err.txt" &
game=$!
unset LD_PRELOAD

window=""
for _ in $(seq 1 300); do
    window=$(xdotool search --name '^Sewer Run$' 2>/dev/null | head -n 1)
    [ -n "$window" ] && tr -d '\r' <"$work/out.txt" | grep -q '^Done with map!$' && break
    kill -0 "$game" 2>/dev/null || fail "the program ended at start-up: $(head -c 500 "$work/err.txt")"
    sleep 0.1
done
[ -n "$window" ] || { kill "$game"; fail "no window appeared"; }
xdotool windowactivate --sync "$window" >/dev/null 2>&1
xdotool windowfocus --sync "$window" >/dev/null 2>&1
sleep 1
xdotool key space

rss_kb() { awk '/^VmRSS/ { print $2 }' "/proc/$game/status" 2>/dev/null; }
frames() { tr -d ' ' <"$frames_file" 2>/dev/null || echo 0; }
# Police cars chasing after the latest spawn: each spawn prints the count
# before it. Every car keeps its smoke's particle pool, so memory follows
# this number up and down.
police_cars() {
    tr -d '\r' <"$work/out.txt" | awk '/^created cop!/ { n = $3 + 1 } END { print n + 0 }'
}
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$game/stat" 2>/dev/null; }
ticks_per_second=$(getconf CLK_TCK)

keys=(Up Down Left Right Control_L)
held=()
start=$SECONDS
next_report=$interval
first_rss=""
last_ticks=$(cpu_ticks)
last_frames=$(frames)
last_time=$EPOCHREALTIME
c_presses=0
while [ $((SECONDS - start)) -lt "$seconds" ]; do
    kill -0 "$game" 2>/dev/null || fail "the program died during play: $(head -c 800 "$work/err.txt")"
    # Release what is held, then hold a random new set of keys.
    for key in "${held[@]}"; do xdotool keyup "$key"; done
    held=()
    for key in "${keys[@]}"; do
        [ $((RANDOM % 3)) -eq 0 ] && held+=("$key") && xdotool keydown "$key"
    done
    case $((RANDOM % 6)) in
    0 | 1 | 2) xdotool key c; c_presses=$((c_presses + 1)) ;;
    3) xdotool key m ;;
    esac
    sleep 0.$((RANDOM % 5 + 1))
    elapsed=$((SECONDS - start))
    if [ "$elapsed" -ge "$next_report" ]; then
        rss=$(rss_kb)
        ticks=$(cpu_ticks)
        [ -z "$first_rss" ] && first_rss=$rss
        rate=""
        if [ -n "$frame_counter" ]; then
            count=$(frames)
            now=$EPOCHREALTIME
            rate=" fps=$(awk -v f=$((count - last_frames)) -v a="$last_time" -v b="$now" \
                'BEGIN { printf "%.1f", f / (b - a) }')"
            [ "$count" -gt "$last_frames" ] || fail "no frame was presented in the last $interval s"
            last_frames=$count
            last_time=$now
        fi
        echo "t=${elapsed}s rss=${rss}kB cpu=$(((ticks - last_ticks) * 100 / ticks_per_second / interval))%$rate C-presses=$c_presses police-cars=$(police_cars)"
        last_ticks=$ticks
        next_report=$((next_report + interval))
    fi
done
for key in "${held[@]}"; do xdotool keyup "$key"; done

final_rss=$(rss_kb)
[ -n "$final_rss" ] || fail "the program ended before Escape"
echo "final rss=${final_rss}kB (first report ${first_rss}kB)"
[ $((final_rss - first_rss)) -le "$growth_limit_kb" ] ||
    fail "resident memory grew by $((final_rss - first_rss)) kB"

for _ in $(seq 1 40); do
    kill -0 "$game" 2>/dev/null || break
    xdotool key Escape
    sleep 0.25
done
if kill -0 "$game" 2>/dev/null; then
    kill "$game"
    fail "Escape did not end the program"
fi
wait "$game"
status=$?
[ "$status" -eq 0 ] || fail "status $status after Escape: $(head -c 800 "$work/err.txt")"
echo "soak passed"
