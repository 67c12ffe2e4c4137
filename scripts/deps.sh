#!/usr/bin/env bash
# Installs the Debian packages that building, playing and testing need.
# Does nothing when every one of them is already present. With the argument
# "windows" it adds what the Windows version needs (scripts/windows.sh): the
# cross compiler, Wine and the rest; with "web", what the browser version
# needs (scripts/web.sh): Emscripten and Chromium.
set -euo pipefail

packages=(
    # toolchain
    build-essential cmake pkg-config clang-format
    # test and benchmark frameworks
    libgtest-dev libgmock-dev libbenchmark-dev
    # platform libraries of the engine
    libsdl2-dev libopenal-dev libpng-dev zlib1g-dev libgl-dev libgl1-mesa-dri
    # a display, key presses, screenshots and sound checks for the tests, and
    # a window manager for the full-screen ones
    xvfb xauth xdotool x11-apps imagemagick sox openbox
    # validators of the installed menu entry, metadata and manual page
    desktop-file-utils appstream man-db groff-base
    # the Debian package: its dependencies (dpkg-shlibdeps, which CPack finds
    # the programs for with file) and its check
    dpkg-dev file lintian
    # locale sources, for the number-reading test under a comma locale
    locales
)

windows_packages=(
    # the cross compiler (its POSIX thread model, for std::thread), zlib for
    # Windows, and the tools to fetch and unpack Debian's libpng sources
    g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev
    debian-archive-keyring dpkg-dev googletest
    # the Windows programs run under Wine in the tests
    wine wine64
    # a sound server to record what the Windows sound driver plays, and the
    # installer's compiler
    pulseaudio pulseaudio-utils nsis
    # the icon of the Windows program, made from the generated pictures, and
    # the installer test's shortcut reader
    icoutils python3
)
web_packages=(
    # the compiler to WebAssembly, and the tools to fetch and unpack Debian's
    # zlib and libpng sources
    emscripten debian-archive-keyring dpkg-dev googletest
    # the browser the page is tested in, headless
    chromium
)
case "${1:-}" in
windows) packages+=("${windows_packages[@]}") ;;
web) packages+=("${web_packages[@]}") ;;
esac

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
