#!/usr/bin/env bash
# The real program played for a while by random held keys: arrows held and
# released at random, C pressed many times (a police car each), M (the map)
# and Left Control (the handbrake of the keys). Random driving soon ends a
# game on the lose (or win) screen, which only Escape leaves; the test then
# ends that game with Escape and starts the program again, until the time is
# up. Every interval it reports the running game's resident memory, the
# processor time and, given the frame counter library, the frames per second.
# It fails if a program dies or hangs (an interval without a frame), if its
# memory grows by more than a bound after its first report, or if Escape
# does not end it with status 0.
# Usage: soak_test.sh <build bin directory> [seconds] [report interval]
#                     [frame counter library]
set -uo pipefail

bin=$1
seconds=${2:-60}
interval=${3:-10}
frame_counter=${4:-}
# Growth allowed within one game after its first report, in kB: the police
# cars added by C are kept, the software renderer's memory follows the number
# of draws, and a sanitizer build holds freed memory in quarantine.
growth_limit_kb=${SOAK_GROWTH_LIMIT_KB:-262144}
source "$(dirname "$0")/shell_checks.sh"
game=""
at_exit '[ -n "$game" ] && kill "$game" 2>/dev/null'

# Here a failure ends the soak at once.
fail() {
    echo "FAIL: $*"
    exit 1
}

mkdir -p "$work/game"
cp -r "$bin/sewer-run" "$bin/img" "$bin/car2.wav" "$bin/explo.wav" "$work/game/"
frames_file=$work/frames.txt

# The program ends its lines with CR LF.
spawn_lines() { tr -d '\r' <"$work/out.txt" | grep -c '^created cop!'; }
# Police cars chasing after the latest spawn: each spawn prints the count
# before it.
police_cars() {
    tr -d '\r' <"$work/out.txt" | awk '/^created cop!/ { n = $3 + 1 } END { print n + 0 }'
}
rss_kb() { awk '/^VmRSS/ { print $2 }' "/proc/$game/status" 2>/dev/null; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$game/stat" 2>/dev/null; }
frames() { tr -d ' ' <"$frames_file" 2>/dev/null || echo 0; }
ticks_per_second=$(getconf CLK_TCK)

games=0
start_game() {
    games=$((games + 1))
    rm -f "$frames_file"
    if [ -n "$frame_counter" ]; then
        # A preloaded library comes before a sanitizer runtime; that is
        # harmless here, since the counter allocates nothing.
        (
            export LD_PRELOAD=$frame_counter SEWER_FRAME_COUNT_FILE=$frames_file
            export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0
            cd / && exec "$work/game/sewer-run"
        ) >"$work/out.txt" 2>"$work/err.txt" &
    else
        (cd / && exec "$work/game/sewer-run") >"$work/out.txt" 2>"$work/err.txt" &
    fi
    game=$!
    local window=""
    for _ in $(seq 1 300); do
        window=$(xdotool search --name '^Sewer Run$' 2>/dev/null | head -n 1)
        [ -n "$window" ] && tr -d '\r' <"$work/out.txt" | grep -q '^Done with map!$' && break
        kill -0 "$game" 2>/dev/null || fail "game $games ended at start-up: $(head -c 500 "$work/err.txt")"
        sleep 0.1
    done
    [ -n "$window" ] || fail "game $games: no window appeared"
    xdotool windowactivate --sync "$window" >/dev/null 2>&1
    xdotool windowfocus --sync "$window" >/dev/null 2>&1
    sleep 1
    xdotool key space
    first_rss=""
    last_ticks=$(cpu_ticks)
    last_frames=$(frames)
    last_time=$EPOCHREALTIME
    spawns_seen=$(spawn_lines)
    unanswered_c=0
}

# Escape must end the game with status 0, on whatever screen it is.
end_game() {
    for _ in $(seq 1 40); do
        kill -0 "$game" 2>/dev/null || break
        xdotool key Escape
        sleep 0.25
    done
    if kill -0 "$game" 2>/dev/null; then
        fail "Escape did not end game $games"
    fi
    wait "$game"
    local status=$?
    game=""
    [ "$status" -eq 0 ] || fail "game $games: status $status after Escape: $(head -c 800 "$work/err.txt")"
}

report() {
    local elapsed=$1 rss ticks rate="" count now=$EPOCHREALTIME
    rss=$(rss_kb)
    ticks=$(cpu_ticks)
    [ -n "$rss" ] || fail "game $games ended during play: $(head -c 800 "$work/err.txt")"
    [ -z "$first_rss" ] && first_rss=$rss
    [ $((rss - first_rss)) -le "$growth_limit_kb" ] ||
        fail "game $games: resident memory grew by $((rss - first_rss)) kB"
    if [ -n "$frame_counter" ]; then
        count=$(frames)
        rate=" fps=$(awk -v f=$((count - last_frames)) -v a="$last_time" -v b="$now" \
            'BEGIN { printf "%.1f", f / (b - a) }')"
        [ "$count" -gt "$last_frames" ] || fail "game $games presented no frame in the last interval"
        last_frames=$count
    fi
    local cpu
    cpu=$(awk -v t=$((ticks - last_ticks)) -v hz="$ticks_per_second" -v a="$last_time" -v b="$now" \
        'BEGIN { printf "%.0f", 100 * t / hz / (b - a) }')
    echo "t=${elapsed}s game=$games rss=${rss}kB cpu=$cpu%$rate C-presses=$c_presses police-cars=$(police_cars)"
    last_ticks=$ticks
    last_time=$now
}

keys=(Up Down Left Right Control_L)
held=()
c_presses=0
start=$SECONDS
next_report=$interval
start_game
while [ $((SECONDS - start)) -lt "$seconds" ]; do
    kill -0 "$game" 2>/dev/null || fail "game $games died during play: $(head -c 800 "$work/err.txt")"
    # Release what is held, then hold a random new set of keys.
    for key in "${held[@]}"; do xdotool keyup "$key"; done
    held=()
    for key in "${keys[@]}"; do
        [ $((RANDOM % 3)) -eq 0 ] && held+=("$key") && xdotool keydown "$key"
    done
    case $((RANDOM % 6)) in
    0 | 1 | 2)
        xdotool key c
        c_presses=$((c_presses + 1))
        unanswered_c=$((unanswered_c + 1))
        ;;
    3) xdotool key m ;;
    esac
    sleep 0.$((RANDOM % 5 + 1))
    # In play every C spawns a police car; on the end screens nothing does.
    spawns=$(spawn_lines)
    if [ "$spawns" -gt "$spawns_seen" ]; then
        spawns_seen=$spawns
        unanswered_c=0
    fi
    elapsed=$((SECONDS - start))
    if [ "$elapsed" -ge "$next_report" ]; then
        report "$elapsed"
        next_report=$((next_report + interval))
    fi
    if [ "$unanswered_c" -ge 4 ] && [ "$elapsed" -lt "$seconds" ]; then
        for key in "${held[@]}"; do xdotool keyup "$key"; done
        held=()
        echo "t=${elapsed}s game $games is over; Escape, and a new game"
        end_game
        start_game
    fi
done
for key in "${held[@]}"; do xdotool keyup "$key"; done
# The last interval's report stands for the end, unless it is already old.
[ $((SECONDS - start)) -ge "$next_report" ] && report "$((SECONDS - start))"
end_game
echo "soak passed: $games games in $seconds s"
