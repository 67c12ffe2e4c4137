#!/usr/bin/env bash
# The real program in a real window on the test display, driven by real key
# presses: it starts, builds its city, shows the title, plays, spawns a
# police car on C, shows the minimap while M is held, pauses on P, and once
# the police have wrecked the car plays a second game in a new city after
# Space on the lose screen; it ends with status 0 on Escape.
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

count_lines() {
    tr -d '\r' <"$1" | grep -c -- "$2"
}

# Waits until more than `count` lines match.
wait_for_more_lines() {
    local file=$1 pattern=$2 count=$3
    for _ in $(seq 1 100); do
        [ "$(count_lines "$file" "$pattern")" -gt "$count" ] && return 0
        sleep 0.1
    done
    return 1
}

# The lines printed after the n-th "Done with map!" up to the next one, or
# before the first for 0.
after_city() {
    tr -d '\r' <"$work/out.txt" | awk -v n="$1" '/^Done with map!$/ { city++; next } city == n'
}

# The pixels of a window area (x, y, width, height) that are pure white.
white_pixels() {
    local shot=$1 area=$2
    convert "$shot" -crop "$area" +repage -fill black +opaque white -format '%[fx:mean*w*h]' info:
}

# --- A whole session of play ---------------------------------------------
# Two games in one process. The first must end soon and surely, so the road
# tiles of this copy are plain tarmac, without the walls that keep a car on
# the road: held Up drives it off the road network, which loses.
copy_game "$work/game"
# White squares in their corners leave the pedestrians somewhere to stand.
for tile in "$work/game"/img/r[0-9]*.png; do
    convert -size 64x64 xc:'#505050' -fill white -draw 'rectangle 4,4,13,13' \
        -draw 'rectangle 50,4,59,13' -draw 'rectangle 4,50,13,59' -draw 'rectangle 50,50,59,59' \
        "PNG32:$tile"
done
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
    # Briefly: the car must not roll out of its start cell yet.
    xdotool keydown Up
    sleep 0.25
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

    # P pauses: "PAUSED" in white over the dimmed frame, and a police car
    # called while paused comes only once P resumes the game.
    xdotool key p
    sleep 0.5
    xwd -id "$window" -silent | convert xwd:- "$work/paused.png"
    paused_white=$(white_pixels "$work/paused.png" 240x100+280+200)
    [ "${paused_white%.*}" -gt 500 ] || fail "P did not show PAUSED ($paused_white white pixels)"
    cops=$(count_lines "$work/out.txt" '^created cop!')
    xdotool key c
    sleep 0.5
    [ "$(count_lines "$work/out.txt" '^created cop!')" -eq "$cops" ] ||
        fail "a police car came while the game was paused"
    xdotool key p
    wait_for_more_lines "$work/out.txt" '^created cop!' "$cops" ||
        fail "P did not resume the game"

    # Up held drives the car straight on over the wall-less tiles until it
    # leaves the road network: on the lose screen C calls no police car.
    xdotool keydown Up
    lost=""
    for _ in $(seq 1 150); do
        cops=$(count_lines "$work/out.txt" '^created cop!')
        xdotool key c
        sleep 0.3
        # In play the police car comes with the next frame; a busy machine
        # gets a second to show it.
        if [ "$(count_lines "$work/out.txt" '^created cop!')" -eq "$cops" ]; then
            sleep 1
            if [ "$(count_lines "$work/out.txt" '^created cop!')" -eq "$cops" ]; then
                lost=yes
                break
            fi
        fi
    done
    xdotool keyup Up
    if [ -z "$lost" ]; then
        fail "the car never left the road"
    else
        # The lose picture names the key that plays again, in yellow.
        xwd -id "$window" -silent | convert xwd:- "$work/lost.png"
        hint=$(convert "$work/lost.png" -crop 800x40+0+495 +repage -fill black \
            +opaque 'rgb(255,229,110)' -fill white -opaque 'rgb(255,229,110)' \
            -format '%[fx:mean*w*h]' info:)
        [ "${hint%.*}" -gt 500 ] || fail "the lose screen shows no SPACE: PLAY AGAIN ($hint)"
        # Space starts the next game: a new city, no police cars.
        xdotool key space
        wait_for_more_lines "$work/out.txt" '^Done with map!$' 1 ||
            fail "Space on the lose screen did not build a new city"
        xdotool key c
        wait_for_more_lines "$work/out.txt" '^created cop!' "$cops" ||
            fail "C called no police car in the second game"
        first_cop=$(after_city 2 | grep -m 1 '^created cop!')
        [ "$first_cop" = "created cop!  0" ] ||
            fail "the second game did not start without police cars: '$first_cop'"
        # The waypoints and tile codes the builder printed for each city.
        [ "$(after_city 0 | grep -x '[0-9][0-9]*')" != "$(after_city 1 | grep -x '[0-9][0-9]*')" ] ||
            fail "the second game was played in the same city"
    fi
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
