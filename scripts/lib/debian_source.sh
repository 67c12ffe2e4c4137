# Fetches Debian source packages through a private package list, so that the
# machine's own apt configuration is left as it is. Sourced by the scripts
# that build a third-party library for another platform.

# The same archive as the machine's own Debian entry, for source packages.
debian_archive() {
    local uri
    uri=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n 1)
    if [ -z "$uri" ]; then
        uri=$(sed -n 's/^deb \(\[[^]]*\] \)\?\([^ ]*\) .*/\2/p' /etc/apt/sources.list 2>/dev/null |
            head -n 1)
    fi
    echo "${uri:-http://deb.debian.org/debian}"
}

# fetch_debian_sources WORK_DIR PACKAGE...: unpacks each package's source,
# with Debian's patches applied (apt-get source runs dpkg-source -x), into
# WORK_DIR/source, replacing what was there. The package lists are kept in
# WORK_DIR/apt.
fetch_debian_sources() {
    local work_dir=$1
    shift
    local apt_dir=$work_dir/apt
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $(debian_archive) bookworm main" \
        >"$apt_dir/sources.list"
    local options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
        -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" -qq)
    # As root, apt would hand the download to its own user, who may not
    # write into the build directory.
    [ "$(id -u)" -eq 0 ] && options+=(-o APT::Sandbox::User=root)
    apt-get "${options[@]}" update
    rm -rf "$work_dir/source" && mkdir -p "$work_dir/source"
    (cd "$work_dir/source" && apt-get "${options[@]}" source "$@" >/dev/null)
}

# The unpacked source folder of a package fetched into WORK_DIR.
debian_source_dir() {
    find "$1/source" -mindepth 1 -maxdepth 1 -type d -name "$2-*" | head -n 1
}
