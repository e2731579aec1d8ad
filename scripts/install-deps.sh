#!/bin/sh
# Installs the Debian packages that building and testing need, when they are missing.
# Runs `apt-get update` at most once, and only when something has to be installed.
# The i686 program runs under Wine's 32-bit half (wine32), which needs Debian's i386
# architecture; it is enabled once. Where this host cannot execute 32-bit x86 programs
# (scripts/host-runs-i386.sh), wine32 could not run here: neither it nor the i386 architecture is
# installed, and the tools that make and run the emulated machine in which wine32 runs instead
# are (scripts/i686-machine/).
set -eu
cd "$(dirname "$0")/.."

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
fonts-wine
fonts-liberation
xvfb
xauth
xdotool
x11-apps
imagemagick
googletest
libbenchmark-dev
util-linux
zip
unzip
openssl
osslsigncode
python3-yaml
python3-pefile
clang-format
shellcheck
"

if scripts/host-runs-i386.sh; then
    i686_packages="wine32:i386"
else
    i686_packages="qemu-system-x86 mmdebstrap e2fsprogs openssh-client"
fi
packages="$packages $i686_packages"

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

if [ "$i686_packages" = "wine32:i386" ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "Enabling Debian's i386 architecture (for wine32)"
    $SUDO dpkg --add-architecture i386
fi

echo "Installing missing packages:$missing"
$SUDO apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
