#!/usr/bin/env bash
# Unpacks Debian's zlib and libpng 1.6 source packages into .third_party/ for the
# Windows build. Needs deb-src entries (scripts/setup.sh derives them).
set -eu
repo_root=$(cd "$(dirname "$0")/.." && pwd)
dest=$repo_root/.third_party
mkdir -p "$dest"
cd "$dest"

fetch() {
    local package=$1 pattern=$2
    ls -d $pattern >/dev/null 2>&1 && return 0
    # The newest version listed can be missing from a mirror; take the first that downloads.
    for version in $(apt-cache showsrc "$package" | awk '/^Version:/ {print $2}' | sort -rV); do
        if apt-get source -q "$package=$version" >/dev/null 2>&1; then return 0; fi
    done
    echo "could not fetch the source package $package" >&2
    return 1
}

fetch zlib 'zlib-*/'
fetch libpng1.6 'libpng1.6-*/'
