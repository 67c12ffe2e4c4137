#!/usr/bin/env bash
# The Windows installer under Wine, as a player would use it: a silent
# install into a folder named with characters outside every code page, the
# files, the Start-menu shortcut and the entry in the list of installed
# programs it leaves, the installed game started in the shortcut's folder
# up to its title and ended with Escape, and a silent uninstall that leaves
# nothing behind.
# Usage: installer_test.sh INSTALLER STAGED_RELEASE_FOLDER
# Needs wine, xvfb-run, xdotool, python3 and icoutils.
# The staged folder holds exactly the files the installer should install.
set -uo pipefail

# The game needs a display: a private one when none is given.
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" "$@"
fi

installer=$1
staged=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../game/shell_checks.sh"

if [ ! -f "$installer" ]; then
    echo "FAIL: no installer at $installer (build the windows-dist target first)"
    exit 1
fi

export LC_ALL=C.UTF-8 WINEDEBUG=-all
export WINEPREFIX=$work/prefix
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
at_exit 'timeout 20 wineserver -k 2>/dev/null'

windows_dir='C:\Spiele\Straßenjagd ✓'
unix_dir="$WINEPREFIX/drive_c/Spiele/Straßenjagd ✓"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Sewer Run.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\SewerRun'

# A prefix of its own, set up as the other Windows tests' is.
"$(dirname "$0")/../../windows/wine_prefix.sh" ||
    { echo "FAIL: the Wine prefix could not be made"; exit 1; }

# --- Silent install ------------------------------------------------------
cp "$installer" "$WINEPREFIX/drive_c/setup.exe"
# /D= must come last and unquoted, so cmd hands the installer its command
# line as written.
if ! timeout 120 wine cmd /c "C:\\setup.exe /S /D=$windows_dir" >"$work/install.txt" 2>&1; then
    fail "the silent install failed: $(cat "$work/install.txt")"
fi
timeout 60 wineserver -w

(cd "$staged" && find . -type f | sort) >"$work/expected.txt"
echo ./uninstall.exe >>"$work/expected.txt"
sort -o "$work/expected.txt" "$work/expected.txt"
(cd "$unix_dir" 2>/dev/null && find . -type f | sort) >"$work/installed.txt"
diff -u "$work/expected.txt" "$work/installed.txt" >"$work/files.diff" ||
    fail "the installed files differ from the release's: $(cat "$work/files.diff")"
for file in $(cd "$staged" && find . -type f); do
    cmp -s "$staged/$file" "$unix_dir/$file" || fail "$file was installed changed"
done

# The program carries the game's icon, which the shortcut and the uninstall
# entry show.
wrestool -l "$unix_dir/sewer-run.exe" 2>/dev/null | grep -q -- '--type=14 --name=1 ' ||
    fail "the installed program has no icon (group icon 1)"

# --- The shortcut --------------------------------------------------------
if [ ! -f "$shortcut" ]; then
    fail "no Start-menu shortcut 'Sewer Run'"
else
    python3 "$here/read_shortcut.py" "$shortcut" >"$work/shortcut.txt"
    field() { sed -n "s/^$1=//p" "$work/shortcut.txt"; }
    exe="$windows_dir\\sewer-run.exe"
    [ "$(field working_dir)" = "$windows_dir" ] ||
        fail "the shortcut starts in '$(field working_dir)', not the game's folder"
    [ "$(field icon)" = "$exe" ] || fail "the shortcut's icon is '$(field icon)', not the game's"
    # Wine keeps the target only in the code page (Windows keeps it in
    # Unicode too), so a character outside it reads as '?'.
    in_code_page=$(python3 -c 'import sys; print(sys.argv[1].encode("cp1252", "replace").decode("cp1252"))' "$exe")
    [ "$(field target)" = "$in_code_page" ] ||
        fail "the shortcut points at '$(field target)', not at '$exe'"
fi

# --- The entry in the list of installed programs -------------------------
if timeout 30 wine reg export "$key" 'C:\entry.reg' /y >/dev/null 2>&1; then
    iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/drive_c/entry.reg" | tr -d '\r' >"$work/entry.txt"
    escaped=${windows_dir//\\/\\\\}
    for value in '"DisplayName"="Sewer Run"' '"Publisher"="the Sewer Run developers"' \
        "\"DisplayIcon\"=\"$escaped\\\\sewer-run.exe,0\"" \
        "\"UninstallString\"=\"\\\"$escaped\\\\uninstall.exe\\\"\"" \
        "\"InstallLocation\"=\"$escaped\""; do
        grep -qxF -- "$value" "$work/entry.txt" || fail "the uninstall entry lacks $value"
    done
    grep -qx '"DisplayVersion"="[0-9][0-9.]*"' "$work/entry.txt" ||
        fail "the uninstall entry has no DisplayVersion"
else
    fail "no uninstall entry $key"
fi

# --- The installed game, started in the shortcut's folder ----------------
play() {
    (cd "$unix_dir" && exec timeout 60 wine "$windows_dir\\sewer-run.exe") \
        >"$work/out.txt" 2>"$work/err.txt" &
    local game=$! window=""
    for _ in $(seq 1 150); do
        window=$(xdotool search --name '^Sewer Run$' 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
        sleep 0.2
    done
    if [ -z "$window" ]; then
        fail "the installed game opened no window 'Sewer Run': $(cat "$work/err.txt")"
        kill "$game" 2>/dev/null
        return
    fi
    for _ in $(seq 1 100); do
        tr -d '\r' <"$work/out.txt" | grep -qx 'Done with map!' && break
        sleep 0.1
    done
    tr -d '\r' <"$work/out.txt" | grep -qx 'Done with map!' ||
        fail "the installed game did not reach its title (no 'Done with map!')"
    xdotool windowfocus --sync "$window" >/dev/null 2>&1
    sleep 1
    xdotool key Escape
    wait "$game"
    local status=$?
    [ "$status" -eq 0 ] || fail "Escape ended the installed game with status $status"
    local errors
    errors=$(program_errors "$work/err.txt")
    [ -z "$errors" ] || fail "the installed game wrote to standard error: $errors"
}
play

# --- Silent uninstall ----------------------------------------------------
# The uninstaller copies itself away so that it can delete itself, and
# returns at once: wait for every Wine process to end.
timeout 60 wine "$windows_dir\\uninstall.exe" /S >/dev/null 2>&1 || fail "the silent uninstall failed"
timeout 60 wineserver -w
[ ! -e "$unix_dir" ] || fail "the uninstall left $(cd "$unix_dir" && find . | tr '\n' ' ')"
[ -d "$WINEPREFIX/drive_c/Spiele" ] || fail "the uninstall removed the folder above the game's"
[ ! -e "$shortcut" ] || fail "the uninstall left the shortcut"
timeout 30 wine reg query "$key" >/dev/null 2>&1 && fail "the uninstall left the entry $key"

report "installed, played and uninstalled under Wine"
