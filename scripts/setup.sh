#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test the program,
# skipping what is there. Run as root (or with sudo available).
set -eu
repo_root=$(cd "$(dirname "$0")/.." && pwd)
sudo_cmd=""
[ "$(id -u)" -eq 0 ] || sudo_cmd=sudo

packages=(
    build-essential cmake ninja-build pkg-config python3 openssl dpkg-dev
    g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
    wine wine64 xvfb x11-utils imagemagick fonts-wqy-microhei
    libpng-dev zlib1g-dev libcurl4-openssl-dev libqrencode-dev zbar-tools
    libgtest-dev libgmock-dev libbenchmark-dev locales
    clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done

# The Windows build compiles zlib and libpng from Debian's source packages: add deb-src
# entries derived from the machine's own apt sources.
deb_src=/etc/apt/sources.list.d/vastrel-deb-src.sources
need_update=0
if ! apt-get source --print-uris zlib >/dev/null 2>&1; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            $sudo_cmd tee "$deb_src" >/dev/null
    fi
    if [ -f /etc/apt/sources.list ]; then
        grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
            $sudo_cmd tee /etc/apt/sources.list.d/vastrel-deb-src.list >/dev/null
    fi
    need_update=1
fi

if [ ${#missing[@]} -gt 0 ] || [ $need_update -eq 1 ]; then
    $sudo_cmd apt-get update -q
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    $sudo_cmd env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# A locale with a decimal comma, for the test that number texts ignore the process locale.
locale -a 2>/dev/null | grep -qix 'de_DE.utf-\?8' || $sudo_cmd localedef -i de_DE -f UTF-8 de_DE.UTF-8

"$repo_root/scripts/fetch-sources.sh"
