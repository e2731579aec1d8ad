#!/bin/sh
# Installs the Debian packages that building and testing need, when they are missing.
# Runs `apt-get update` at most once, and only when something has to be installed.
set -eu

packages="
cmake
ninja-build
g++
clang-14
libclang-rt-14-dev
g++-mingw-w64-x86-64-posix
g++-mingw-w64-i686-posix
binutils-mingw-w64-x86-64
binutils-mingw-w64-i686
wine
wine64
xvfb
xauth
xdotool
x11-apps
imagemagick
googletest
libbenchmark-dev
util-linux
"

missing=""
for package in $packages; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    case "$status" in
        *"install ok installed"*) ;;
        *) missing="$missing $package" ;;
    esac
done

if [ -z "$missing" ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    SUDO=sudo
else
    SUDO=
fi

echo "Installing missing packages:$missing"
$SUDO apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
