#!/bin/sh
# A private PulseAudio server with one null sink, "test", for the tests of the
# Windows build: Wine plays a program's DirectSound output into it, and parec
# records what it played from the sink's monitor. Nothing here touches the
# user's own sound server or its configuration: the server lives in DIR,
# listens on DIR/native and is found through PULSE_SERVER=unix:DIR/native.
#
#   pulse_null_sink.sh start DIR          start the server; returns once it answers
#   pulse_null_sink.sh stop DIR           stop it
#   pulse_null_sink.sh record DIR FILE COMMAND...
#                                          run COMMAND against the server while
#                                          recording the sink to FILE (raw 32-bit
#                                          float stereo at 48 kHz); COMMAND's status
#
# As root (a CI container) pulseaudio only warns that it is not meant to run
# as root; in per-user mode (-n with a configuration of its own, no D-Bus, no
# autospawn) it runs all the same, so no --system server is needed.
set -eu

usage() {
    echo "usage: $0 start DIR | stop DIR | record DIR FILE COMMAND..." >&2
    exit 2
}

[ $# -ge 2 ] || usage
action=$1
dir=$2
shift 2
export PULSE_SERVER="unix:$dir/native"

start() {
    mkdir -p "$dir"
    stop
    cat > "$dir/null.pa" <<PA
load-module module-native-protocol-unix auth-anonymous=1 socket=$dir/native
load-module module-null-sink sink_name=test rate=48000 channels=2 format=float32le
set-default-sink test
PA
    # The server's output goes to a log, so that the test that starts it can
    # end (ctest waits for every process holding the test's output).
    HOME="$dir" XDG_RUNTIME_DIR="$dir" PULSE_STATE_PATH="$dir" \
        pulseaudio -n -F "$dir/null.pa" --daemonize=no --exit-idle-time=-1 \
        --disallow-exit --use-pid-file=no </dev/null >"$dir/server.log" 2>&1 &
    echo $! > "$dir/server.pid"
    tries=0
    until pactl info >/dev/null 2>&1; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ] || ! kill -0 "$(cat "$dir/server.pid")" 2>/dev/null; then
            echo "PulseAudio did not start; its log:" >&2
            cat "$dir/server.log" >&2
            exit 1
        fi
        sleep 0.1
    done
}

stop() {
    [ -f "$dir/server.pid" ] || return 0
    pid=$(cat "$dir/server.pid")
    rm -f "$dir/server.pid"
    kill "$pid" 2>/dev/null || return 0
    tries=0
    while kill -0 "$pid" 2>/dev/null && [ $tries -lt 50 ]; do
        tries=$((tries + 1))
        sleep 0.1
    done
}

record() {
    [ $# -ge 2 ] || usage
    file=$1
    shift
    # A short latency: parec writes what it records at once, and killing it
    # loses next to nothing.
    parec --device=test.monitor --format=float32le --rate=48000 --channels=2 --raw \
        --latency-msec=20 >"$file" &
    recorder=$!
    # The recorder is connected before the program makes its first sound.
    sleep 0.5
    status=0
    "$@" || status=$?
    # Let the last samples through the sink before the recording ends.
    sleep 1
    kill "$recorder"
    wait "$recorder" 2>/dev/null || true
    return $status
}

case $action in
start) start ;;
stop) stop ;;
record) record "$@" ;;
*) usage ;;
esac
