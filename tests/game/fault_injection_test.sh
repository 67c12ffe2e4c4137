#!/usr/bin/env bash
# Each asset of the game in turn removed, truncated to half its size, zeroed
# and overwritten with random bytes, one fault at a time, on the real program
# under the test display. The rules:
# - the pictures and sounds start-up loads (cars, arrow, sewer, pede,
#   car2.wav, explo.wav) are required: status 255 and "cant load image: <path>"
#   or "cant load sound: <path>" on standard error;
# - the title picture (logo) is required when the title opens: status 255 and
#   "cant find image";
# - a road tile (r*.png) is needed only if the city of this run uses it:
#   status 255 and "missing image: <name>", or the game plays on;
# - the smoke, lose and win pictures are loaded when first needed, which a
#   short run never reaches: the game plays on.
# Playing on means the title comes up, Space starts play and Escape ends the
# program with status 0. Never a crash, a signal or a hang (timeout).
# Usage: fault_injection_test.sh <build bin directory>
set -uo pipefail

bin=$1
source "$(dirname "$0")/shell_checks.sh"
cases=0

game=$work/game
mkdir -p "$game"
cp -r "$bin/sewer-run" "$bin/img" "$bin/car2.wav" "$bin/explo.wav" "$game/"

# The program ends its lines with CR LF.
has_line() {
    [ -f "$1" ] && tr -d '\r' <"$1" | grep -q -- "$2"
}

inject() {
    local file=$1 fault=$2 size
    size=$(stat -c %s "$file")
    case $fault in
    remove) rm "$file" ;;
    truncate) truncate -s $((size / 2)) "$file" ;;
    zero) head -c "$size" /dev/zero >"$file" ;;
    random) head -c "$size" /dev/urandom >"$file" ;;
    esac
}

# Runs the program once; prints "exit <status>" if it ended by itself, or
# "played <status>" if it reached the title and Escape ended it.
run_game() {
    (cd / && exec timeout -s KILL 60 "$game/sewer-run") >"$work/out.txt" 2>"$work/err.txt" &
    local pid=$! window=""
    # The city is built before the title opens: its last line means the
    # start-up is over and the title is up.
    for _ in $(seq 1 300); do
        kill -0 "$pid" 2>/dev/null || break
        if has_line "$work/out.txt" '^Done with map!$'; then
            window=$(xdotool search --name '^Sewer Run$' 2>/dev/null | head -n 1)
            [ -n "$window" ] && break
        fi
        sleep 0.1
    done
    if [ -z "$window" ]; then
        wait "$pid"
        echo "exit $?"
        return
    fi
    xdotool windowactivate --sync "$window" >/dev/null 2>&1
    xdotool windowfocus --sync "$window" >/dev/null 2>&1
    # SDL takes the focus with a short delay; keys sent before it are lost.
    sleep 0.5
    xdotool key space
    sleep 0.3
    # Escape on the title or in play ends the program; repeated in case the
    # focus came late.
    for _ in $(seq 1 20); do
        kill -0 "$pid" 2>/dev/null || break
        xdotool key Escape >/dev/null 2>&1
        sleep 0.25
    done
    wait "$pid"
    echo "played $?"
}

check_case() {
    local asset=$1 fault=$2 outcome=$3 expected=$4 message=$5
    local what="$asset $fault"
    case $outcome in
    "exit 255")
        if [ "$expected" = plays ]; then
            fail "$what: expected to play on, ended with 255: $(tr -d '\r' <"$work/err.txt" | head -c 300)"
        elif ! grep -qF -- "$message" "$work/err.txt"; then
            fail "$what: status 255 without '$message': $(head -c 300 "$work/err.txt")"
        fi
        ;;
    "played 0")
        [ "$expected" = fatal ] && fail "$what: expected status 255 with '$message', played on"
        ;;
    *)
        fail "$what: $outcome (crash, signal or hang): $(head -c 500 "$work/err.txt")"
        ;;
    esac
    echo "$what: $outcome"
}

for path in "$game"/img/*.png "$game/car2.wav" "$game/explo.wav"; do
    name=${path#"$game/"}
    base=$(basename "$path")
    case $base in
    cars.png) expected=fatal message="cant load image: img/cars.png" ;;
    arrow.png | sewer.png | pede.png) expected=fatal message="cant load image: $path" ;;
    logo.png) expected=fatal message="cant find image" ;;
    r*.png) expected=either message="missing image: $base" ;;
    *.wav) expected=fatal message="cant load sound: $path" ;;
    *) expected=plays message="" ;;
    esac
    cp "$path" "$work/original"
    for fault in remove truncate zero random; do
        inject "$path" "$fault"
        check_case "$name" "$fault" "$(run_game)" "$expected" "$message"
        cases=$((cases + 1))
        cp "$work/original" "$path"
    done
done

if [ "$failures" -ne 0 ]; then
    echo "$failures of $cases cases failed"
    exit 1
fi
echo "all $cases fault cases passed"
