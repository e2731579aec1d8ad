#!/bin/sh
# Builds the fuzz targets and runs them within a time budget, or up to a number of runs each.
#
#   scripts/run-fuzz.sh SECONDS [RUNS]
#
# Configures and builds the fuzz preset (build folder out/build/fuzz, or $TRINUMERO_FUZZ_BUILD_DIR),
# copies each fuzzer's seed corpus into the build folder and runs the fuzzer on that copy. The
# SECONDS are shared out evenly between the fuzzers; with RUNS a fuzzer stops after that many
# runs if its share of the time has not ended first. Exits non-zero when a fuzzer finds a
# crash, a sanitizer report or a leak. Needs no terminal and reads nothing from stdin.
set -eu

if [ $# -lt 1 ] || [ $# -gt 2 ] || ! [ "$1" -gt 0 ] 2>/dev/null ||
    { [ $# -eq 2 ] && ! [ "$2" -gt 0 ] 2>/dev/null; }; then
    echo "usage: $0 SECONDS [RUNS]" >&2
    exit 2
fi
total_seconds=$1
runs=${2:-}

root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${TRINUMERO_FUZZ_BUILD_DIR:-$root/out/build/fuzz}
cd "$root"

cmake --preset fuzz -B "$build_dir" >/dev/null </dev/null
cmake --build "$build_dir" --target trinumero_fuzzers </dev/null

list="$build_dir/fuzz/fuzzers.txt"
if [ ! -s "$list" ]; then
    echo "run-fuzz.sh: no fuzz targets listed in $list" >&2
    exit 1
fi

count=$(grep -c . "$list")
seconds=$((total_seconds / count))
if [ "$seconds" -lt 1 ]; then
    seconds=1
fi
run_limit=
if [ -n "$runs" ]; then
    run_limit="-runs=$runs"
fi

status=0
tab=$(printf '\t')
while IFS="$tab" read -r program corpus; do
    name=$(basename "$program")
    work="$build_dir/fuzz/run/$name"
    rm -rf "$work"
    mkdir -p "$work/corpus" "$work/artifacts"
    if [ -d "$corpus" ]; then
        cp -R "$corpus/." "$work/corpus/"
    fi
    echo "== $name: $seconds s${runs:+ or $runs runs}"
    # The fuzzer's own exit code tells crash (non-zero) from a clean run (0).
    # shellcheck disable=SC2086
    if "$program" -max_total_time="$seconds" $run_limit -print_final_stats=1 \
        -artifact_prefix="$work/artifacts/" "$work/corpus" \
        </dev/null >"$work/log.txt" 2>&1; then
        grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' \
            "$work/log.txt" || true
        grep -E '^#[0-9]+.*DONE' "$work/log.txt" | tail -n 1 || true
    else
        status=1
        echo "run-fuzz.sh: $name failed; log in $work/log.txt, inputs in $work/artifacts" >&2
        tail -n 40 "$work/log.txt" >&2
    fi
    # A report in the log counts even if the exit code did not say so.
    if grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:' "$work/log.txt"; then
        status=1
        echo "run-fuzz.sh: $name reported an error; log in $work/log.txt" >&2
    fi
done <"$list"

exit $status
