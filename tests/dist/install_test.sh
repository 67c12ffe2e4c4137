#!/usr/bin/env bash
# Installs the build into a fresh temporary prefix, as a user would with
# `cmake --install`, and checks the installed tree.
# Usage: install_test.sh BUILD_DIR DESKTOP_ID
set -uo pipefail

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! cmake --install "$1" --prefix "$work/prefix" >"$work/install.log" 2>&1; then
    cat "$work/install.log"
    echo "FAIL: cmake --install"
    exit 1
fi
"$(dirname "$0")/check_installed_tree.sh" "$work/prefix" "$2"
