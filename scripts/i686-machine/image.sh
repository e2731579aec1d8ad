#!/bin/sh
# Makes the emulated machine's image (scripts/i686-machine/machine.sh) unless the user's cache
# folder holds it, and prints the folder that holds it: the kernel and initial RAM disk of a Debian
# 12 amd64 system, its disk (ext4, made from a folder with mkfs.ext4 -d, so no loop device is
# mounted), the SSH key the host logs in with, and on the disk a 32-bit Wine prefix that every
# folder's prefix in the machine starts from.
#
# Two stages, each kept under a key of what went into it: the system (this script and the
# machine's first process, scripts/i686-machine/guest-init.sh), six to nine minutes on a 2-core
# host, and the system with its Wine prefix (that key and cmake/wine-run.sh, which makes the
# prefix), two to four minutes more. A change to the Wine runner makes only the second again.
# Older images are removed once a new one is made. Needs root, for Debian's packages installed into
# the folder and for their files' owners on the disk.
#
# Everything comes from Debian's packages: mmdebstrap, qemu-system-x86 and e2fsprogs on the host
# (scripts/install-deps.sh installs them where the machine is needed), and the system's packages
# from the host's Debian mirror (TRINUMERO_DEBIAN_MIRROR to name another).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
cache="${XDG_CACHE_HOME:-$HOME/.cache}/trinumero/i686-machine"

system_key=$(cat "$0" "$here/guest-init.sh" | sha256sum | cut -c 1-16)
image_key=$({ echo "$system_key"; cat "$source_dir/cmake/wine-run.sh"; } | sha256sum | cut -c 1-16)
system="$cache/system-$system_key"
image="$cache/image-$image_key"

if [ -f "$image/ready" ]; then
    echo "$image"
    exit 0
fi

say() {
    echo "image.sh: $*" >&2
}

[ "$(id -u)" -eq 0 ] || { say "making the emulated machine's image needs root"; exit 1; }

mkdir -p "$cache"
# One maker at a time; a second waits and then finds the image made.
exec 9>"$cache/lock"
flock 9
if [ -f "$image/ready" ]; then
    echo "$image"
    exit 0
fi

# What the machine runs: the kernel, wine32 with the fonts and the X server of the host's own
# test runs, the tools of the Wine runner and of scripts/run.sh (screenshots, the pointer and the
# keys), the SSH server, and tini to reap orphans as the first process.
packages="linux-image-amd64 wine wine32:i386 fonts-wine fonts-liberation xvfb xauth xdotool
x11-apps imagemagick dropbear-bin tini procps iproute2 kmod mount util-linux"

# The first Debian mirror of the host's own package sources.
mirror=${TRINUMERO_DEBIAN_MIRROR:-$(sed -n 's/^\(URIs:\|deb\) *\(https\?:[^ ]*\/debian\/\?\)\( .*\)\?$/\2/p' \
    /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources \
    2>/dev/null | head -n 1)}
mirror=${mirror:-http://deb.debian.org/debian}

if [ ! -f "$system/ready" ]; then
    started=$(date +%s)
    say "making the emulated machine's system from $mirror (six to nine minutes, once)"
    rm -rf "$system"
    mkdir -p "$system"
    root="$system/root"
    mmdebstrap --quiet --mode=root --variant=apt --architectures=amd64,i386 \
        --include="$(echo $packages | tr ' ' ,)" \
        --aptopt='APT::Install-Recommends "false"' \
        --dpkgopt='path-exclude=/usr/share/doc/*' --dpkgopt='path-exclude=/usr/share/man/*' \
        --dpkgopt='path-exclude=/usr/share/locale/*' \
        bookworm "$root" "$mirror" >"$system/mmdebstrap.log" 2>&1 ||
        { say "mmdebstrap failed; its log: $system/mmdebstrap.log"; exit 1; }
    install -m 755 "$here/guest-init.sh" "$root/sbin/trinumero-init"
    install -d -m 700 "$root/etc/dropbear"
    chroot "$root" dropbearkey -t ed25519 -f /etc/dropbear/dropbear_ed25519_host_key >/dev/null 2>&1
    ssh-keygen -q -t ed25519 -N '' -C trinumero-i686-machine -f "$system/key"
    install -d -m 700 "$root/root/.ssh"
    install -m 600 "$system/key.pub" "$root/root/.ssh/authorized_keys"
    cp "$root"/boot/vmlinuz-* "$system/vmlinuz"
    cp "$root"/boot/initrd.img-* "$system/initrd.img"
    # Room for the Wine prefix and what the tests change of it; a sparse file.
    mkfs.ext4 -q -F -L i686-machine -d "$root" "$system/disk.ext4" 4G >/dev/null
    rm -rf "$root"
    touch "$system/ready"
    say "system made in $(($(date +%s) - started)) s"
fi

started=$(date +%s)
say "making the emulated machine's Wine prefix (two to four minutes, once)"
rm -rf "$image"
mkdir -p "$image"
cp --sparse=always "$system/disk.ext4" "$image/disk.ext4"
cp "$system/vmlinuz" "$system/initrd.img" "$system/key" "$system/key.pub" "$image/"
"$here/machine.sh" make-prefix "$image" 9>&- >&2
touch "$image/ready"
say "Wine prefix made in $(($(date +%s) - started)) s"

for old in "$cache"/system-* "$cache"/image-*; do
    [ "$old" = "$system" ] || [ "$old" = "$image" ] || rm -rf "$old"
done
echo "$image"
