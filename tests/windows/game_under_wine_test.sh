#!/usr/bin/env bash
# The Windows program under Wine on the test display, driven by real key
# presses:
# - without a display it stops at once with status 255 and names the display;
# - unpacked in a folder named in several scripts (C:\Spiele\Straßenjagd ✓)
#   and started from elsewhere, it finds its pictures and sounds, writes its
#   lines to standard output, shows the title, starts on Space, drives on the
#   arrows, spawns a police car on C, shows the minimap while M is held and
#   ends on Escape with status 0 and nothing on standard error;
# - F11 covers the screen with the picture centred on black, and gives the
#   window back;
# - Ctrl+C ends the game's start-up through its exit handlers with status 130;
# - its title frame for a seed is pixel for pixel the Linux build's.
# Usage: game_under_wine_test.sh <Windows bin directory> [<Linux bin directory>]
# WINEPREFIX names the prefix (made if needed); DISPLAY the X display.
set -uo pipefail

bin=$(cd "$1" && pwd)
linux_bin=${2:+$(cd "$2" && pwd)}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../game/shell_checks.sh"

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
"$here/wine_prefix.sh"
at_exit 'wineserver -k 2>/dev/null'

now_ms() {
    echo $(($(date +%s%N) / 1000000))
}

# Runs the program in the background from another directory; its output in
# $work/$1.out and .err. Sets $game to the Wine process, whose status is the
# program's.
start_game() {
    local name=$1 program=$2
    shift 2
    (cd / && exec env "$@" timeout -k 5 120 wine "$program") >"$work/$name.out" 2>"$work/$name.err" &
    game=$!
}

# Waits for the program started last and sets $status.
wait_for_game() {
    if ! wait_for_end "$game" "${1:-10}"; then
        kill -KILL "$game" 2>/dev/null
        wait "$game" 2>/dev/null
        status=none
        return 1
    fi
    wait "$game"
    status=$?
}

pixel() {
    convert "$1" -format "%[pixel:p{$2}]" info:
}

is_white() {
    case $1 in
    srgb\(255,255,255\) | rgb\(255,255,255\) | white) return 0 ;;
    *) return 1 ;;
    esac
}

is_black() {
    case $1 in
    srgb\(0,0,0\) | rgb\(0,0,0\) | black) return 0 ;;
    *) return 1 ;;
    esac
}

# --- No display -------------------------------------------------------------
free_display=":$((9000 + RANDOM % 900))"
for display in "" "$free_display"; do
    started=$(now_ms)
    if [ -z "$display" ]; then
        start_game nodisplay "$bin/sewer-run.exe" -u DISPLAY
    else
        start_game nodisplay "$bin/sewer-run.exe" DISPLAY="$display"
    fi
    wait_for_game 20 || fail "with DISPLAY='$display' the program did not stop by itself"
    elapsed=$(($(now_ms) - started))
    echo "DISPLAY='$display': status $status after $elapsed ms"
    [ "$status" = 255 ] || fail "DISPLAY='$display': status $status"
    if [ -z "$display" ]; then
        expected='cant open window: no display (DISPLAY is not set)'
    else
        expected="cant open window: display \"$display\" cannot be reached"
    fi
    grep -qF "$expected" "$work/nodisplay.err" ||
        fail "DISPLAY='$display': no '$expected' in: $(cat "$work/nodisplay.err")"
    # Wine's desktop process stays up with the display it started on: the
    # next program must find a new one.
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
done

# --- A whole session from a folder named in several scripts -----------------
folder="$WINEPREFIX/drive_c/Spiele/Straßenjagd ✓"
rm -rf "$WINEPREFIX/drive_c/Spiele"
mkdir -p "$folder"
cp -r "$bin/sewer-run.exe" "$bin/img" "$bin/car2.wav" "$bin/explo.wav" "$folder/"
at_exit 'rm -rf "$WINEPREFIX/drive_c/Spiele"'

start_game play "$folder/sewer-run.exe"
window=$(wait_for_window)
if [ -z "$window" ]; then
    fail "no window titled 'Sewer Run' appeared: $(cat "$work/play.err")"
    kill "$game" 2>/dev/null
else
    wait_for_line "$work/play.out" '^Done with map!$' 30 || fail "no 'Done with map!' line"
    has_line "$work/play.out" '^C:/Spiele/Straßenjagd ✓/img/$' ||
        fail "the image directory was not printed as C:/Spiele/Straßenjagd ✓/img/: $(head -n 1 "$work/play.out")"
    xdotool windowfocus --sync "$window" >/dev/null 2>&1
    sleep 1
    xdotool key space
    sleep 0.5
    xdotool keydown Up
    sleep 0.5
    xdotool keyup Up
    xdotool keydown Left
    sleep 0.3
    xdotool keyup Left
    xdotool key c
    wait_for_line "$work/play.out" '^created cop!  0$' || fail "C did not print 'created cop!  0'"

    # While M is held the minimap covers the top-left corner; its corner
    # cells are never road, so they are white.
    xdotool keydown m
    sleep 0.5
    xwd -id "$window" -silent | convert xwd:- "$work/map.png"
    xdotool keyup m
    for at in 2,2 197,2 2,197 197,197; do
        colour=$(pixel "$work/map.png" "$at")
        is_white "$colour" || fail "M did not show the minimap: $colour at $at"
    done

    # F11: the window covers the screen, the 160 x 120 picture at the largest
    # whole scale (6, 960 x 720) in the middle, black around it; F11 again
    # gives the window back.
    windowed=$(xdotool getwindowgeometry "$window" | grep -o 'Geometry:.*')
    xdotool key F11
    sleep 1
    covered=$(xdotool getwindowgeometry "$window" | grep -o 'Geometry:.*')
    [ "$covered" = "Geometry: 1024x768" ] || fail "F11 did not cover the screen: $covered"
    xwd -root -silent | convert xwd:- "$work/covered.png"
    is_black "$(pixel "$work/covered.png" 16,384)" || fail "F11: no black bar left of the picture"
    is_black "$(pixel "$work/covered.png" 512,12)" || fail "F11: no black bar above the picture"
    is_black "$(pixel "$work/covered.png" 512,384)" && fail "F11: the picture is not in the middle"
    xdotool key F11
    sleep 1
    restored=$(xdotool getwindowgeometry "$window" | grep -o 'Geometry:.*')
    [ "$restored" = "$windowed" ] || fail "F11 again gave $restored, not the window's $windowed"

    xdotool key Escape
    wait_for_game || fail "Escape did not end the program"
    [ "$status" = 0 ] || fail "the program ended with status $status after Escape"
    errors=$(program_errors "$work/play.err")
    [ -z "$errors" ] || fail "the session wrote on standard error: $errors"
fi

# --- Ctrl+C -------------------------------------------------------------------
# Wine hands a SIGINT on as Ctrl+C only to a program with a console (Windows,
# to one that shares the console it was typed in, which the windowed game
# does when started from one). title-frame.exe is a console program with the
# game's start-up: asked for a frame it never reaches, it stays on the title.
(cd / && exec timeout -k 5 120 wine "$bin/title-frame.exe" 1 1000000 "$work/never.png") \
    >"$work/ctrlc.out" 2>"$work/ctrlc.err" &
game=$!
if [ -n "$(wait_for_window)" ] && wait_for_line "$work/ctrlc.out" '^Done with map!$' 30; then
    # timeout hands the signal on to Wine, and Wine to the program's console
    # control handler.
    kill -INT "$game"
    wait_for_game || fail "Ctrl+C did not end the program"
    echo "Ctrl+C: status $status"
    [ "$status" = 130 ] || fail "Ctrl+C: status $status, not 130"
    errors=$(program_errors "$work/ctrlc.err")
    [ -z "$errors" ] || fail "Ctrl+C wrote on standard error: $errors"
else
    fail "Ctrl+C: no title"
    kill "$game" 2>/dev/null
fi

# --- The title frame, against the Linux build's -------------------------------
seed=1234567
frame=5
(cd / && timeout 120 wine "$bin/title-frame.exe" "$seed" "$frame" "$work/windows-title.png") \
    >/dev/null 2>"$work/title.err" || fail "title-frame.exe failed: $(cat "$work/title.err")"
if [ -z "$linux_bin" ]; then
    echo "no Linux build given: the title frame is not compared"
elif [ ! -x "$linux_bin/title-frame" ]; then
    fail "no title-frame in $linux_bin"
else
    (cd / && timeout 120 "$linux_bin/title-frame" "$seed" "$frame" "$work/linux-title.png") >/dev/null ||
        fail "the Linux title-frame failed"
    differing=$(compare -metric AE "$work/windows-title.png" "$work/linux-title.png" null: 2>&1)
    echo "title frame $frame of seed $seed: $differing pixels differ from the Linux build's"
    [ "$differing" = 0 ] || fail "the title frames differ in $differing pixels"
fi

report "all Windows game checks passed"
