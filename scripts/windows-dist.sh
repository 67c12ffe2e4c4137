#!/usr/bin/env bash
# Makes the Windows releases from a Windows build: the zip to unpack
# anywhere and the installer, both left in the build directory, named
# sewer-run-<version>-windows-x64.zip and sewer-run-<version>-setup-x64.exe.
# scripts/windows.sh runs it after the build. BUILD_DIR chooses the build
# (default: build/windows).
# The build itself needs icoutils (the program's icon) and the installer
# test python3: `scripts/deps.sh icoutils nsis python3` installs them.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$root/build/windows}

"$root/scripts/deps.sh" icoutils nsis python3
cmake --build "$build_dir" --target windows-dist
ls -l "$build_dir"/sewer-run-*-windows-x64.zip "$build_dir"/sewer-run-*-setup-x64.exe
