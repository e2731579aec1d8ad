#!/bin/sh
# make bench: start-up and keystroke latency of a Windows build's program under Wine.
#   bench-windows.sh BUILD_DIR
set -eu
build_dir=$(cd "$1" && pwd)
runner="$(cd "$(dirname "$0")/.." && pwd)/cmake/wine-run.sh"
windows_path() {
    printf 'Z:%s' "$1" | tr / '\\'
}

echo "== $(cat "$build_dir/wine-arch")"
"$runner" "$build_dir" "$build_dir/bench/startup_bench.exe" \
    "$(windows_path "$build_dir/app/Trinumero.exe")" \
    "$(windows_path "$build_dir/bench/bare_window.exe")" \
    "$(windows_path "$build_dir/bench/empty_window.exe")" 61
"$runner" "$build_dir" "$build_dir/bench/keystroke_bench.exe" 400
"$runner" "$build_dir" --stop
