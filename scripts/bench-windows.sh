#!/bin/sh
# make bench: start-up and keystroke latency of a Windows build's program under Wine, in the light
# app mode (the build folder's prefix) and in the dark one (a prefix of its own, BUILD_DIR/bench-dark,
# whose app mode is dark).
#   bench-windows.sh BUILD_DIR
set -eu
build_dir=$(cd "$1" && pwd)
runner="$(cd "$(dirname "$0")/.." && pwd)/cmake/wine-run.sh"
# Where the programs could only run in the emulated machine, what it measured would be the
# emulator's speed, not the program's.
if "$(dirname "$0")/i686-machine/machine.sh" needed "$build_dir"; then
    echo "== $(cat "$build_dir/wine-arch"): not measured here: this host cannot execute 32-bit x86 programs, and an emulated machine's times are not the program's"
    exit 0
fi
windows_path() {
    printf 'Z:%s' "$1" | tr / '\\'
}

dark="$build_dir/bench-dark"
trap '"$runner" "$build_dir" --stop; "$runner" "$dark" --stop' EXIT
"$(dirname "$runner")/wine-dark-prefix.sh" "$build_dir" "$dark"

for prefix in "$build_dir" "$dark"; do
    mode=light
    [ "$prefix" = "$build_dir" ] || mode=dark
    echo "== $(cat "$build_dir/wine-arch"), $mode app mode"
    "$runner" "$prefix" "$build_dir/bench/startup_bench.exe" \
        "$(windows_path "$build_dir/app/Trinumero.exe")" \
        "$(windows_path "$build_dir/bench/bare_window.exe")" \
        "$(windows_path "$build_dir/bench/empty_window.exe")" 61
    "$runner" "$prefix" "$build_dir/bench/keystroke_bench.exe" 400
done
