#!/bin/sh
# make bench: start-up and keystroke latency of a Windows build's program under Wine, in prefixes of
# its own (BUILD_DIR/bench-*): as on Windows 10, in the light app mode and in the dark one, and the
# keystroke alone as on Windows 7 without composition (Basic or Classic). Wine acts as the Windows
# its prefix names. From Windows 8 on the desktop is composed (on Windows 7 with Aero), and the
# frame's old place is put back; without composition its field draws its border again.
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

light="$build_dir/bench-light"
dark="$build_dir/bench-dark"
basic="$build_dir/bench-basic"
trap 'for prefix in "$light" "$dark" "$basic"; do "$runner" "$prefix" --stop; done' EXIT
"$(dirname "$runner")/wine-dark-prefix.sh" "$build_dir" "$dark"
mkdir -p "$light" "$basic"
cp "$build_dir/wine-arch" "$light/"
cp "$build_dir/wine-arch" "$basic/"
for prefix in "$light" "$dark" "$basic"; do
    version=win10
    [ "$prefix" != "$basic" ] || version=win7
    "$runner" "$prefix" reg add 'HKCU\Software\Wine' /v Version /d $version /f >/dev/null
done

for prefix in "$light" "$dark"; do
    mode=light
    [ "$prefix" = "$light" ] || mode=dark
    echo "== $(cat "$build_dir/wine-arch"), $mode app mode, Windows 10"
    "$runner" "$prefix" "$build_dir/bench/startup_bench.exe" \
        "$(windows_path "$build_dir/app/Trinumero.exe")" \
        "$(windows_path "$build_dir/bench/bare_window.exe")" \
        "$(windows_path "$build_dir/bench/empty_window.exe")" 61
    "$runner" "$prefix" "$build_dir/bench/keystroke_bench.exe" 400
done
echo "== $(cat "$build_dir/wine-arch"), light app mode, Windows 7 without composition"
"$runner" "$basic" "$build_dir/bench/keystroke_bench.exe" 400
