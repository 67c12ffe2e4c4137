#!/usr/bin/env bash
# The real program in a real window on the test display, driven by real key
# presses: it starts, builds its city, shows the title, plays, spawns a
# police car on C, shows the minimap while M is held and ends with status 0
# on Escape.
# Then the fatal cases: a missing road tile and a missing image folder.
# Usage: end_to_end_test.sh <build bin directory>
set -uo pipefail

bin=$1
source "$(dirname "$0")/shell_checks.sh"

# A copy of the program and its assets, so the fatal cases can remove files.
copy_game() {
    local dir=$1
    mkdir -p "$dir"
    cp -r "$bin/sewer-run" "$bin/img" "$bin/car2.wav" "$bin/explo.wav" "$dir/"
}

# --- A whole session of play ---------------------------------------------
copy_game "$work/game"
(cd / && exec "$work/game/sewer-run") >"$work/out.txt" 2>"$work/err.txt" &
game=$!
window=$(wait_for_window)
if [ -z "$window" ]; then
    fail "no window titled 'Sewer Run' appeared"
    kill "$game" 2>/dev/null
else
    xdotool windowactivate --sync "$window" >/dev/null 2>&1
    xdotool windowfocus --sync "$window" >/dev/null 2>&1
    # SDL reports focus with a short delay; keys sent before it are lost.
    sleep 1
    # The window opens before the city is built: on a busy machine the map
    # may still be in the making.
    wait_for_line "$work/out.txt" '^Done with map!$' || fail "no 'Done with map!' line"
    has_line "$work/out.txt" "^$work/game/img/\$" || fail "the image directory was not printed"
    has_line "$work/out.txt" '^made point ' || fail "no 'made point' line"

    xdotool key space
    sleep 0.5
    xdotool keydown Up
    sleep 0.5
    xdotool keyup Up
    xdotool key c
    wait_for_line "$work/out.txt" '^created cop!  0$' || fail "C did not print 'created cop!  0'"

    # While M is held the minimap covers the top-left corner, one cell to
    # five pixels; its corner cells are never road, so they are white.
    xdotool keydown m
    sleep 0.5
    xwd -id "$window" -silent | convert xwd:- "$work/map.png"
    xdotool keyup m
    for pixel in 2,2 197,2 2,197 197,197; do
        colour=$(convert "$work/map.png" -format "%[pixel:p{$pixel}]" info:)
        case $colour in
        srgb\(255,255,255\) | rgb\(255,255,255\) | white) ;;
        *) fail "M did not show the minimap: $colour at $pixel" ;;
        esac
    done
    xdotool key Escape
    if ! wait_for_end "$game"; then
        fail "Escape did not end the program"
        kill "$game"
    fi
    wait "$game"
    status=$?
    [ "$status" -eq 0 ] || fail "the program ended with status $status after Escape"
fi

# --- Fatal asset problems ----------------------------------------------------
expect_fatal() {
    local dir=$1 message=$2
    timeout 60 "$dir/sewer-run" >"$dir/out.txt" 2>"$dir/err.txt"
    local status=$?
    [ "$status" -eq 255 ] || fail "expected status 255 for '$message', got $status"
    grep -q -- "$message" "$dir/err.txt" || fail "expected '$message' on standard error"
}

copy_game "$work/no-tile"
rm "$work/no-tile/img/r13.png"
expect_fatal "$work/no-tile" "missing image: r13.png"

copy_game "$work/no-img"
rm -r "$work/no-img/img"
expect_fatal "$work/no-img" "couldnt find image dir"

copy_game "$work/no-arrow"
rm "$work/no-arrow/img/arrow.png"
expect_fatal "$work/no-arrow" "cant load image: $work/no-arrow/img/arrow.png"

copy_game "$work/no-sound"
rm "$work/no-sound/explo.wav"
expect_fatal "$work/no-sound" "cant load sound: $work/no-sound/explo.wav"

report "all end-to-end checks passed"
