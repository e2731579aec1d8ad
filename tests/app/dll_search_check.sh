#!/bin/sh
# A dwmapi.dll planted beside a program: the probe that starts like Trinumero.exe loads the
# system's copy even by the bare name; the same probe without the start-up restriction runs
# the planted copy (so this check can fail), and LoadSystemLibrary never does.
#   dll_search_check.sh WINE_RUN BUILD_DIR PROBE UNRESTRICTED_PROBE PLANTED_DLL
set -eu
run=$1
build_dir=$2
work="$build_dir/dll-search-check"
rm -rf "$work"
mkdir -p "$work"
cp "$3" "$work/probe.exe"
cp "$4" "$work/unrestricted.exe"
cp "$5" "$work/dwmapi.dll"

status=0
check() { # program way expected-exit-code
    code=0
    "$run" "$build_dir" "$work/$1" "$2" || code=$?
    echo "$1 $2: exit $code (30 system copy, 31 planted copy ran, 32 nothing loaded)"
    [ "$code" -eq "$3" ] || status=1
}
check probe.exe bare 30
check unrestricted.exe bare 31
check unrestricted.exe system 30
exit $status
