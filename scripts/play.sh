#!/usr/bin/env bash
# Builds a Release of the game and starts it.
# BUILD_DIR chooses the build directory (default: build/release).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$root/build/release}

# Whether the X display named by DISPLAY answers: a local one by its socket,
# a remote one (SSH forwarding, for instance) by its port.
x_display_reachable() {
    local display=$1 host number
    host=${display%%:*}
    number=${display#*:}
    number=${number%%.*}
    [[ $number =~ ^[0-9]+$ ]] || return 1
    if [ -z "$host" ] || [ "$host" = unix ]; then
        [ -S "/tmp/.X11-unix/X$number" ]
    else
        (exec 3<>"/dev/tcp/$host/$((6000 + number))") 2>/dev/null
    fi
}

wayland_display_reachable() {
    local socket=$1
    [[ $socket = /* ]] || socket=${XDG_RUNTIME_DIR:-/nonexistent}/$socket
    [ -S "$socket" ]
}

# The game needs a screen to be played on: say so now, not after the build.
# A video driver asked for by name (SDL_VIDEODRIVER) is left to SDL.
if [ -z "${SDL_VIDEODRIVER:-}" ]; then
    if [ -n "${WAYLAND_DISPLAY:-}" ] && wayland_display_reachable "$WAYLAND_DISPLAY"; then
        :
    elif [ -z "${DISPLAY:-}" ]; then
        echo "cant open window: no display (DISPLAY is not set)" >&2
        echo "Sewer Run needs a desktop: start it from a terminal of your desktop session." >&2
        exit 1
    elif ! x_display_reachable "$DISPLAY"; then
        echo "cant open window: display \"$DISPLAY\" cannot be reached" >&2
        exit 1
    fi
fi

"$root/scripts/deps.sh"

cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release \
    -DSEWER_BUILD_TESTS=OFF -DSEWER_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)" --target sewer-run

exec "$build_dir/bin/sewer-run"
