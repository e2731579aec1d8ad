#!/bin/sh
# The emulated machine in which the i686 programs run under wine32 where this host cannot execute
# 32-bit x86 programs at all (scripts/host-runs-i386.sh): QEMU emulating a 64-bit PC in software
# (TCG), booting a Debian 12 amd64 system with wine32, Xvfb and fonts from its own image
# (scripts/i686-machine/image.sh, kept in the user's cache folder). The host's source folder, and
# the build folder when it lies elsewhere, appear in the machine at the same paths, so that a
# command given a host path finds the same file there; the host runs commands in it over SSH on a
# port of the loopback interface.
#
#   machine.sh needed BUILD_DIR   exit with 0 when BUILD_DIR's Windows programs must run in the
#                                 machine: an i686 build folder on a host that cannot execute
#                                 32-bit programs, seen from outside the machine
#   machine.sh start BUILD_DIR    boot a machine for BUILD_DIR and the folders below it, unless one
#                                 runs for it or a folder above it
#   machine.sh exec [--if-running] FOLDER COMMAND [ARGS...]
#                                 run COMMAND in the machine of FOLDER (or of a folder above it),
#                                 in the current folder, and exit with its exit code; where none
#                                 runs, in a machine booted for this command alone (or, with
#                                 --if-running, not at all)
#   machine.sh stop BUILD_DIR     power off the machine that was started for BUILD_DIR
#   machine.sh make-prefix IMAGE_DIR
#                                 (for image.sh) boot IMAGE_DIR's disk writable and make the
#                                 Wine prefix every folder's prefix starts from
#
# A started machine lives until it is stopped, or until no command has run in it for 15 minutes
# (it then powers itself off). Nothing of the host's configuration changes: no binfmt handler, no
# kernel module, no service; QEMU is the machine's only process on the host.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)

fail() {
    echo "machine.sh: $*" >&2
    exit 1
}

# A path as one value of a QEMU option, where a comma is written twice.
qemu_value() {
    printf '%s' "$1" | sed 's/,/,,/g'
}

# A word for the machine's shell that stands for exactly the text given.
quote() {
    printf "'%s'" "$(printf '%s' "$1" | sed "s/'/'\\\\''/g")"
}

# The folder of a machine's state: its QEMU process, port, console and the folder it serves.
state_of() {
    printf '%s/emulated-machine' "$1"
}

running() {
    pid=$(cat "$1/qemu.pid" 2>/dev/null) || return 1
    [ -n "$pid" ] && grep -q qemu-system "/proc/$pid/cmdline" 2>/dev/null
}

# The state folder of the machine that serves FOLDER: its own, or a folder's above it.
machine_of() {
    folder=$1
    while :; do
        if running "$(state_of "$folder")"; then
            state_of "$folder"
            return 0
        fi
        [ "$folder" != / ] || return 1
        folder=$(dirname "$folder")
    done
}

ssh_to() {
    state=$1
    shift
    ssh -q -o BatchMode=yes -o StrictHostKeyChecking=no -o UserKnownHostsFile=/dev/null \
        -o LogLevel=ERROR -o ConnectTimeout=30 -o ServerAliveInterval=30 \
        -o ServerAliveCountMax=20 -i "$(cat "$state/image")/key" -p "$(cat "$state/port")" \
        root@127.0.0.1 "$@"
}

free_port() {
    python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# A machine that cannot serve is ended, so that no later command finds it running.
give_up() {
    kill "$(cat "$state/qemu.pid")" 2>/dev/null || true
    fail "$@"
}

# boot IMAGE_DIR STATE_DIR SERVED_FOLDER WRITABLE: the machine runs once SSH answers, with the
# source folder and SERVED_FOLDER mounted at their paths.
boot() {
    image=$1 state=$2 served=$3 writable=$4
    mkdir -p "$state"
    rm -f "$state/qemu.pid" "$state/port" "$state/console.log"
    echo "$image" >"$state/image"
    snapshot=on
    [ "$writable" = no ] || snapshot=off
    # The build folder is reached through the source folder's share when it lies inside it.
    shares="source=$source_dir"
    case "$served/" in
        "$source_dir"/*) ;;
        *) shares="$shares build=$served" ;;
    esac
    started=$(date +%s)
    tries=0
    while :; do
        port=$(free_port)
        # shellcheck disable=SC2046 # one -virtfs option per share
        if qemu-system-x86_64 -name trinumero-i686 -machine pc -accel tcg -cpu max,-smap \
            -smp 2 -m 3072 -kernel "$image/vmlinuz" -initrd "$image/initrd.img" \
            -append "root=/dev/vda rw console=ttyS0 init=/sbin/trinumero-init panic=-1 quiet" \
            -drive "file=$(qemu_value "$image/disk.ext4"),format=raw,if=virtio,snapshot=$snapshot" \
            $(for share in $shares; do
                printf -- '-virtfs local,path=%s,mount_tag=%s,security_model=none,id=%s\n' \
                    "$(qemu_value "${share#*=}")" "${share%%=*}" "${share%%=*}"
            done) \
            -netdev "user,id=net,restrict=on,hostfwd=tcp:127.0.0.1:$port-:22" \
            -device virtio-net-pci,netdev=net -display none \
            -serial "file:$(qemu_value "$state/console.log")" -no-reboot \
            -daemonize -pidfile "$state/qemu.pid" 2>"$state/qemu.log"; then
            break
        fi
        # Another program may have taken the port in the meantime.
        tries=$((tries + 1))
        [ $tries -lt 3 ] || fail "QEMU did not start: $(cat "$state/qemu.log")"
    done
    echo "$port" >"$state/port"
    while ! ssh_to "$state" true </dev/null 2>/dev/null; do
        running "$state" || fail "the machine stopped while booting; its console: $state/console.log"
        [ $(($(date +%s) - started)) -lt 300 ] ||
            give_up "the machine did not answer within 300 s; its console: $state/console.log"
        sleep 1
    done
    # The guest's page cache holds what it read of the shares (cache=loose): Wine maps programs
    # into memory, and through the share's uncached modes their code arrives corrupted. exec
    # drops what the machine knows of the shares' names before each command and writes its
    # changes back after it, so that each command sees the host's files as they are and the host
    # sees the command's.
    for share in $shares; do
        ssh_to "$state" "mkdir -p $(quote "${share#*=}") && mount -t 9p -o \
trans=virtio,version=9p2000.L,msize=512000,cache=loose ${share%%=*} $(quote "${share#*=}")" \
            </dev/null || give_up "the machine could not mount ${share#*=}"
    done
    echo "machine.sh: the emulated machine booted in $(($(date +%s) - started)) s" >&2
}

power_off() {
    state=$1
    running "$state" || return 0
    ssh_to "$state" 'sync; echo o >/proc/sysrq-trigger' </dev/null >/dev/null 2>&1 || true
    tries=0
    while running "$state" && [ $tries -lt 60 ]; do
        tries=$((tries + 1))
        sleep 0.5
    done
    if running "$state"; then
        kill "$(cat "$state/qemu.pid")" 2>/dev/null || true
    fi
    rm -f "$state/qemu.pid" "$state/port"
}

# The variables a command of the tests reads, handed on into the machine.
handed_on() {
    env | sed -n 's/^\(TRINUMERO_[A-Za-z0-9_]*\|GTEST_[A-Za-z0-9_]*\|WINE_RUN_[A-Za-z0-9_]*\)=.*/\1/p' |
        while read -r name; do
            printf ' %s=%s' "$name" "$(quote "$(printenv "$name")")"
        done
}

# run_in STATE COMMAND [ARGS...]: the command in the current folder, its standard input empty,
# ended after TRINUMERO_MACHINE_TIME_LIMIT seconds (1,500 by default; a program that crashed
# would otherwise wait for Wine's debugger for many minutes of emulated time).
run_in() {
    state=$1
    shift
    limit=${TRINUMERO_MACHINE_TIME_LIMIT:-1500}
    command=
    for word in "$@"; do
        command="$command $(quote "$word")"
    done
    status=0
    ssh_to "$state" "cd $(quote "$PWD") 2>/dev/null || cd /
export TRINUMERO_IN_MACHINE=1$(handed_on)
echo 2 >/proc/sys/vm/drop_caches
status=0
timeout -k 10 $limit$command </dev/null || status=\$?
sync
[ \$status -ne 124 ] || echo $(quote "machine.sh: ended after $limit s in the emulated machine: $1") >&2
exit \$status" </dev/null || status=$?
    # SSH's own failure: the machine did not answer, or went away while the command ran.
    [ $status -ne 255 ] || echo "machine.sh: the emulated machine did not answer; its console: \
$state/console.log" >&2
    return $status
}

image_dir() {
    "$here/image.sh" || fail "no image for the emulated machine (scripts/i686-machine/image.sh)"
}

command=${1:-}
[ $# -eq 0 ] || shift
case "$command" in
    needed)
        [ $# -eq 1 ] || fail "usage: machine.sh needed BUILD_DIR"
        [ -z "${TRINUMERO_IN_MACHINE:-}" ] || exit 1
        [ "$(tr -dc a-z0-9 <"$1/wine-arch" 2>/dev/null)" = win32 ] || exit 1
        ! "$source_dir/scripts/host-runs-i386.sh"
        ;;
    start)
        [ $# -eq 1 ] || fail "usage: machine.sh start BUILD_DIR"
        build_dir=$(cd "$1" && pwd)
        state=$(state_of "$build_dir")
        mkdir -p "$state"
        exec 9>"$state.lock"
        flock 9
        machine_of "$build_dir" >/dev/null && exit 0
        image=$(image_dir)
        boot "$image" "$state" "$build_dir" no 9>&-
        ;;
    exec)
        if_running=
        if [ "${1:-}" = --if-running ]; then
            if_running=1
            shift
        fi
        [ $# -ge 2 ] || fail "usage: machine.sh exec [--if-running] FOLDER COMMAND [ARGS...]"
        folder=$(cd "$1" && pwd)
        shift
        if state=$(machine_of "$folder"); then
            run_in "$state" "$@"
            exit $?
        fi
        [ -z "$if_running" ] || exit 0
        # A machine for this command alone, in a state folder of its own.
        state=$(state_of "$folder")
        mkdir -p "$state"
        image=$(image_dir)
        trap 'power_off "$state"' EXIT
        boot "$image" "$state" "$folder" no
        status=0
        run_in "$state" "$@" || status=$?
        exit $status
        ;;
    stop)
        [ $# -eq 1 ] || fail "usage: machine.sh stop BUILD_DIR"
        state=$(state_of "$(cd "$1" && pwd)")
        power_off "$state"
        ;;
    make-prefix)
        [ $# -eq 1 ] || fail "usage: machine.sh make-prefix IMAGE_DIR"
        state="$1/prefix-boot"
        trap 'power_off "$state"; rm -rf "$state"' EXIT
        boot "$1" "$state" "$source_dir" yes
        # wine-run.sh makes the prefix as it makes every folder's where none is there to start
        # from; it then becomes the one every folder's prefix starts from.
        run_in "$state" sh -c 'set -e
            mkdir -p /var/lib/trinumero/template
            echo win32 >/var/lib/trinumero/template/wine-arch
            sh "$1" /var/lib/trinumero/template --start
            sh "$1" /var/lib/trinumero/template --stop
            mv /var/tmp/wine-run/var/lib/trinumero/template/wineprefix /var/lib/trinumero/wineprefix
            rm -rf /var/tmp/wine-run' sh "$source_dir/cmake/wine-run.sh"
        ;;
    *)
        fail "usage: machine.sh needed|start|exec|stop|make-prefix ..."
        ;;
esac
