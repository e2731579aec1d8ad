#!/bin/sh
# The first process of the emulated machine (scripts/i686-machine/machine.sh), installed in its
# image as /sbin/trinumero-init. tini, the first process proper, reaps every orphan; this script,
# its child, mounts what the machine needs, brings up its network link to the host and the SSH
# server through which the host runs commands, and powers the machine off once no command has run
# for 15 minutes, so that a machine whose host side was ended never outlives it by much.
export PATH=/usr/sbin:/usr/bin:/sbin:/bin
[ $$ -ne 1 ] || exec /usr/bin/tini -- "$0" "$@"

mount -t proc proc /proc 2>/dev/null
mount -t sysfs sys /sys 2>/dev/null
mount -t devtmpfs dev /dev 2>/dev/null
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs shm /dev/shm
mount -t tmpfs run /run
mount -t tmpfs tmp /tmp
hostname i686-machine

# Without udev nothing loads modules by itself: the network card, the host's shared folders
# (9p) and the overlays the Wine prefixes are made of.
for module in virtio_net 9pnet_virtio 9p overlay; do
    modprobe "$module"
done

# QEMU's user-mode network: the guest is 10.0.2.15, and the host's forwarded port reaches its
# port 22. The machine is started with restrict=on, so nothing else is reachable.
ip link set lo up
for link in /sys/class/net/*; do
    link=${link##*/}
    [ "$link" = lo ] && continue
    ip addr add 10.0.2.15/24 dev "$link"
    ip link set "$link" up
done

# Passwords are refused; the host's key is in /root/.ssh/authorized_keys. Its messages go to the
# console, which the host keeps in a file.
dropbear -E -s -p 22 2>/dev/console

echo "i686-machine: ready" >/dev/console

idle=0
while sleep 60; do
    # The listening server is one dropbear; each connection adds one.
    if [ "$(pgrep -c -x dropbear)" -gt 1 ]; then
        idle=0
    else
        idle=$((idle + 1))
    fi
    if [ $idle -ge 15 ]; then
        echo "i686-machine: idle for 15 minutes, powering off" >/dev/console
        sync
        echo o >/proc/sysrq-trigger
    fi
done
