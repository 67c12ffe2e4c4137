#!/usr/bin/env bash
# Runs a Windows program under Wine: the emulator through which CMake runs
# the cross-built programs (the asset generator, the tests).
# Usage: wine_run.sh <default prefix> <program.exe> [arguments...]
# WINEPREFIX, when set, wins over the default prefix, which is made on first
# use. Every run is bounded (SEWER_WINE_TIMEOUT seconds, 600 by default), so
# that a program waiting for a dialog nobody sees cannot hold up the build.
set -euo pipefail

export WINEPREFIX=${WINEPREFIX:-$1}
shift
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
"$(dirname "$0")/wine_prefix.sh"
exec timeout -k 5 "${SEWER_WINE_TIMEOUT:-600}" wine "$@"
