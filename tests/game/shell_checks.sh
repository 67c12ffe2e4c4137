# Sourced by the shell tests of the real program. Gives them a scratch
# directory ($work, kept when KEEP is set), steps of their own to run at exit
# (at_exit), counted failures (fail) and the closing report (report), a wait
# for a process to end (wait_for_end), for the game's window
# (wait_for_window) and for a line of its output (has_line, wait_for_line).

work=$(mktemp -d)
failures=0
exit_steps=()

at_exit() {
    exit_steps+=("$1")
}

run_exit_steps() {
    local step
    for step in "${exit_steps[@]}"; do
        eval "$step"
    done
    [ -n "${KEEP:-}" ] || rm -rf "$work"
}
trap run_exit_steps EXIT

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Waits up to $2 seconds (5 when not given) for process $1 to end; the status
# is 1 when it still runs.
wait_for_end() {
    local pid=$1 tenths=$((${2:-5} * 10))
    for _ in $(seq 1 "$tenths"); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    ! kill -0 "$pid" 2>/dev/null
}

# The last line: $1 when every check passed; otherwise the number of failures,
# and the script ends with status 1.
report() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures failed"
        exit 1
    fi
    echo "$1"
}

# The X window of the game, once it is there (empty after 30 seconds).
wait_for_window() {
    local window=""
    for _ in $(seq 1 150); do
        window=$(xdotool search --name '^Sewer Run$' 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
        sleep 0.2
    done
    echo "$window"
}

# The program ends its lines with CR LF.
has_line() {
    tr -d '\r' <"$1" | grep -q -- "$2"
}

# Waits up to $3 seconds (10 when not given) for a line of file $1 to match $2.
wait_for_line() {
    local file=$1 pattern=$2 tenths=$((${3:-10} * 10))
    for _ in $(seq 1 "$tenths"); do
        has_line "$file" "$pattern" && return 0
        sleep 0.1
    done
    return 1
}

# What a program under Wine wrote on standard error, without the lines the
# host's ALSA library adds when Wine looks for a sound card on a machine that
# has none: they are Wine's, never the program's, and Windows prints nothing.
program_errors() {
    grep -v '^ALSA lib ' "$1" || true
}
