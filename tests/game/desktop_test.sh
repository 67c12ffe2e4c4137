#!/usr/bin/env bash
# The real program where it meets the desktop: with no display it stops at
# once with a message naming the display, and so does the play script; a normal run on a machine without a
# sound card leaves standard error empty; Ctrl+C and SIGTERM end it through
# its exit handlers with status 130 and 143; and the engine sounds at the
# level of its file, measured on the mix recorded by OpenAL Soft.
# Usage: desktop_test.sh <build bin directory>
set -uo pipefail

bin=$(cd "$1" && pwd)
source "$(dirname "$0")/shell_checks.sh"

now_ms() {
    echo $(($(date +%s%N) / 1000000))
}

# Runs the program in the background from another directory, with standard
# output and error in $work/$1.out and $1.err. Its raw end is written to
# $work/$1.status as "exit N" or "signal N": a shell reports both as 128 + N.
start_game() {
    local name=$1
    shift
    (cd / && exec env "$@" perl -e '
        open(my $status, ">", shift) or die;
        my $pid = fork() // die;
        if ($pid == 0) { exec(@ARGV) or exit(127); }
        waitpid($pid, 0);
        print $status (($? & 127) ? "signal " . ($? & 127) : "exit " . ($? >> 8));
    ' "$work/$name.status" "$bin/sewer-run") >"$work/$name.out" 2>"$work/$name.err" &
    game=$!
}

wait_for_title() {
    local name=$1 window=""
    for _ in $(seq 1 150); do
        window=$(xdotool search --name '^Sewer Run$' 2>/dev/null | head -n 1)
        [ -n "$window" ] && tr -d '\r' <"$work/$name.out" | grep -q '^Done with map!$' && break
        sleep 0.2
    done
    [ -n "$window" ] || return 1
    xdotool windowactivate --sync "$window" >/dev/null 2>&1
    # SDL reports the focus with a short delay; keys sent before it are lost.
    sleep 1
    echo "$window"
}

# Waits for the program started last to end, at most 10 seconds.
wait_for_game() {
    if ! wait_for_end "$game" 10; then
        pkill -KILL -f "^$bin/sewer-run" 2>/dev/null
        wait "$game" 2>/dev/null
        return 1
    fi
    wait "$game" 2>/dev/null
}

status_of() {
    cat "$work/$1.status" 2>/dev/null || echo "none"
}

# OpenAL Soft writing its mix to a file instead of a sound card.
recording_config() {
    cat >"$work/$1.conf" <<CONF
[general]
drivers = wave
channels = stereo
sample-type = int16
frequency = 44100
[wave]
file = $work/$1.wav
CONF
    echo "ALSOFT_CONF=$work/$1.conf"
}

# --- No display -----------------------------------------------------------
free_display=":$((9000 + RANDOM % 900))"
for display in "" "$free_display"; do
    started=$(now_ms)
    start_game nodisplay DISPLAY="$display" WAYLAND_DISPLAY=
    if ! wait_for_game; then
        fail "with DISPLAY='$display' the program did not stop by itself"
        continue
    fi
    elapsed=$(($(now_ms) - started))
    echo "DISPLAY='$display': $(status_of nodisplay) after $elapsed ms"
    [ "$(status_of nodisplay)" = "exit 255" ] || fail "DISPLAY='$display': $(status_of nodisplay)"
    [ "$elapsed" -lt 5000 ] || fail "DISPLAY='$display': took $elapsed ms"
    if [ -z "$display" ]; then
        expected='cant open window: no display (DISPLAY is not set)'
    else
        expected="cant open window: display \"$free_display\" cannot be reached"
    fi
    grep -qF "$expected" "$work/nodisplay.err" ||
        fail "DISPLAY='$display': no '$expected' in: $(cat "$work/nodisplay.err")"
done

# The play script says the same before it installs or builds anything.
play="$(dirname "$0")/../../scripts/play.sh"
for display in "" "$free_display"; do
    env -u WAYLAND_DISPLAY DISPLAY="$display" BUILD_DIR="$work/never-built" "$play" \
        >"$work/play.out" 2>"$work/play.err"
    status=$?
    [ "$status" -eq 1 ] || fail "play.sh with DISPLAY='$display': status $status"
    grep -q '^cant open window: ' "$work/play.err" ||
        fail "play.sh with DISPLAY='$display' said: $(cat "$work/play.err" "$work/play.out")"
    [ -e "$work/never-built" ] && fail "play.sh with DISPLAY='$display' started a build"
done

# --- A normal run with whatever sound the machine has ---------------------
start_game quiet
if wait_for_title quiet >/dev/null; then
    xdotool key space
    sleep 1
    xdotool key Escape
fi
wait_for_game || fail "the normal run did not end on Escape"
[ "$(status_of quiet)" = "exit 0" ] || fail "normal run: $(status_of quiet)"
if [ -s "$work/quiet.err" ]; then
    fail "a normal run wrote $(wc -l <"$work/quiet.err") lines on standard error:"
    cat "$work/quiet.err"
fi

# --- Signals end the program with its exit handlers -----------------------
# The recorded file's header is completed only when the audio device is
# closed, so a whole header proves the exit handlers ran.
for signal in INT TERM; do
    start_game "sig$signal" "$(recording_config "sig$signal")"
    if window=$(wait_for_title "sig$signal"); then
        kill "-$signal" "$(xdotool getwindowpid "$window")"
    else
        fail "SIG$signal: no title"
    fi
    wait_for_game || fail "SIG$signal did not end the program"
    expected=$([ "$signal" = INT ] && echo "exit 130" || echo "exit 143")
    echo "SIG$signal: $(status_of "sig$signal")"
    [ "$(status_of "sig$signal")" = "$expected" ] ||
        fail "SIG$signal: $(status_of "sig$signal"), not $expected"
    wav="$work/sig$signal.wav"
    riff=$(od -An -tu4 -j4 -N4 "$wav" 2>/dev/null | tr -d ' ')
    size=$(stat -c %s "$wav" 2>/dev/null || echo 0)
    [ "${riff:-0}" -eq $((size - 8)) ] ||
        fail "SIG$signal: the sound device was not closed (RIFF size ${riff:-none}, file $size)"
    [ -s "$work/sig$signal.err" ] && fail "SIG$signal: $(cat "$work/sig$signal.err")"
done

# --- The engine at the level of its file ----------------------------------
# The RMS level of a file in dB, after the sox effects given.
rms_db() {
    sox "$1" -n "${@:2}" stat 2>&1 | awk '/^RMS +amplitude/ { printf "%.3f", 20 * log($3) / log(10) }'
}
start_game engine "$(recording_config engine)"
if wait_for_title engine >/dev/null; then
    xdotool key space
    sleep 3
    xdotool key Escape
fi
wait_for_game || fail "the recorded run did not end on Escape"
if sox "$work/engine.wav" -e signed-integer -b 16 "$work/engine16.wav" 2>/dev/null; then
    file_db=$(rms_db "$bin/car2.wav")
    # The last two seconds before Escape: the engine alone, at idle.
    for side in 1 2; do
        side_db=$(rms_db "$work/engine16.wav" trim -2.4 2 remix "$side")
        echo "engine, channel $side: $side_db dB RMS; car2.wav: $file_db dB RMS"
        awk -v a="$side_db" -v b="$file_db" 'BEGIN { d = a - b; exit !(d < 0.5 && d > -0.5) }' ||
            fail "engine channel $side at $side_db dB, its file at $file_db dB"
    done
else
    fail "no recording of the engine"
fi

report "all desktop checks passed"
