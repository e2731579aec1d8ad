#!/bin/sh
# Exits with 0 when this host executes 32-bit x86 programs, so that wine32 can run here, and with 1
# when it cannot (a kernel without IA32 emulation, or a sandbox such as gVisor): the i686 programs
# then run under wine32 in an emulated machine (scripts/i686-machine/). It asks the kernel itself,
# by executing a 93-byte 32-bit ELF program that only calls exit(0), so wine32 need not be
# installed to find out.
#
# TRINUMERO_I686_MACHINE=emulated answers 1 on any host, so that the emulated machine can be tried
# where wine32 would run too.
set -eu

[ "${TRINUMERO_I686_MACHINE:-}" != emulated ] || exit 1

# A folder of the user's own, where programs may be executed (a /tmp mounted noexec would
# answer 126 for any program).
folder="${XDG_CACHE_HOME:-$HOME/.cache}/trinumero"
mkdir -p "$folder" 2>/dev/null || folder=${TMPDIR:-/tmp}
probe=$(mktemp "$folder/i386-probe.XXXXXX")
trap 'rm -f "$probe"' EXIT
# ELF header, one loadable segment, then: mov eax, 1; xor ebx, ebx; int 0x80.
printf '\177\105\114\106\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000\270\001\000\000\000\061\333\315\200' >"$probe"
chmod 700 "$probe"
"$probe" 2>/dev/null || exit 1
