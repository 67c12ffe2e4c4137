#!/usr/bin/env bash
# Makes the Wine prefix $WINEPREFIX unless it is ready already: Wine's own
# files (about 20 s the first time), and windows managed by Wine itself, as
# on a desktop without a window manager, so that keys sent to a window reach
# it and a closing window does not wait for a manager that is not there.
# Safe to run from several processes at once: the first makes it, the others
# wait for it.
set -euo pipefail

: "${WINEPREFIX:?WINEPREFIX names the prefix}"
ready=$WINEPREFIX/.sewer-ready
[ -f "$ready" ] && exit 0

mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
[ -f "$ready" ] && exit 0

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
timeout 300 wineboot --init >/dev/null 2>&1
timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
timeout 60 wineserver -w
touch "$ready"
