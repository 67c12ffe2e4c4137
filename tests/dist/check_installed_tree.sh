#!/usr/bin/env bash
# Checks an installed tree of the game, as `cmake --install` or the Debian
# package lays it out under PREFIX: every file a desktop needs is there and
# passes its validator, and the installed program, started by name the way
# the menu entry starts it and from a directory of its own, finds its assets,
# shows its title and ends with status 0 on Escape. Needs an X display.
# Usage: check_installed_tree.sh PREFIX DESKTOP_ID
set -uo pipefail

prefix=$1
id=$2
work=$(mktemp -d)
game=""
trap '[ -n "$game" ] && kill "$game" 2>/dev/null; rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
man_page=$prefix/share/man/man6/sewer-run.6.gz

# --- The files and their validators ------------------------------------------
for file in "$desktop" "$metainfo" "$man_page" "$prefix/share/doc/sewer-run/copyright"; do
    [ -f "$file" ] || fail "missing $file"
done
[ -x "$prefix/games/sewer-run" ] || fail "no program at $prefix/games/sewer-run"

if ! out=$(desktop-file-validate "$desktop" 2>&1) || [ -n "$out" ]; then
    fail "desktop-file-validate: $out"
fi
grep -qx 'Exec=sewer-run' "$desktop" || fail "the desktop entry does not run sewer-run"
grep -qE '^Categories=(.*;)?Game;' "$desktop" || fail "the desktop entry is not in Game"
icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in 16 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x$size/apps/$icon.png
    if [ ! -f "$png" ]; then
        fail "no ${size}px icon named '$icon'"
    elif [ "$(identify -format '%wx%h' "$png")" != "${size}x$size" ]; then
        fail "$png is not $size pixels square"
    fi
done

# Pedantic issues and hints count too: a clean report is the only pass.
if ! out=$(appstreamcli validate --no-net --pedantic --no-color "$metainfo" 2>&1) ||
    grep -qE '^[EWIP]: ' <<<"$out"; then
    fail "appstreamcli validate: $out"
fi

if ! man_err=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$man_page" 2>&1 >"$work/man.txt"); then
    fail "man could not format the page: $man_err"
elif [ -n "$man_err" ]; then
    fail "man --warnings: $man_err"
fi
for section in NAME SYNOPSIS DESCRIPTION OPTIONS CONTROLS FILES 'EXIT STATUS' OUTPUT; do
    grep -q "^$section\$" "$work/man.txt" || fail "the manual page has no $section section"
done

# --- The installed program, started from elsewhere -------------------------
mkdir "$work/elsewhere"
(cd "$work/elsewhere" && PATH=$prefix/games:$PATH exec sewer-run) \
    >"$work/out.txt" 2>"$work/err.txt" &
game=$!

window=""
for _ in $(seq 1 150); do
    window=$(xdotool search --name '^Sewer Run$' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    kill -0 "$game" 2>/dev/null || break
    sleep 0.2
done
# The title follows the city, which may take a while on a busy machine.
for _ in $(seq 1 150); do
    tr -d '\r' <"$work/out.txt" | grep -q '^Done with map!$' && break
    kill -0 "$game" 2>/dev/null || break
    sleep 0.2
done
if [ -z "$window" ]; then
    fail "no window titled 'Sewer Run' appeared; standard error: $(cat "$work/err.txt")"
else
    # The title screen has been drawn once the window shows more than black.
    shown=0
    for _ in $(seq 1 50); do
        mean=$(xwd -id "$window" -silent 2>/dev/null | convert xwd:- -format '%[fx:mean]' info: 2>/dev/null)
        if [ -n "$mean" ] && awk -v m="$mean" 'BEGIN { exit !(m > 0.02) }'; then
            shown=1
            break
        fi
        sleep 0.2
    done
    [ "$shown" = 1 ] || fail "the title screen was not shown"
    real_dir=$(cd "$prefix/lib/games/sewer-run" && pwd -P)
    tr -d '\r' <"$work/out.txt" | grep -qx "$real_dir/img/" ||
        fail "the program did not read its pictures from $real_dir/img/"

    # Without a window manager only the focus can be set, and SDL reports it
    # with a short delay: keys sent before it are lost.
    xdotool windowfocus --sync "$window" >/dev/null 2>&1
    sleep 1
    xdotool key Escape
    timeout 5 tail --pid="$game" -f /dev/null
fi
if kill -0 "$game" 2>/dev/null; then
    fail "Escape did not end the installed program"
    kill "$game"
fi
wait "$game"
status=$?
game=""
[ "$status" -eq 0 ] ||
    fail "the installed program ended with status $status; standard error: $(cat "$work/err.txt")"

if [ "$failures" -ne 0 ]; then
    echo "$failures failed"
    exit 1
fi
echo "the installed tree under $prefix passed every check"
