#!/bin/sh
# The release zip of a Windows build, made afresh and unpacked into a new folder, holds the
# program, its readme and its licence; the program is the stripped one the build made, and
# started from that folder under the build's Wine its window appears and it exits with 0
# when closed.
#   package_starts.sh SOURCE_DIR BUILD_DIR OBJDUMP
set -eu
source_dir=$1
build_dir=$2
objdump=$3

fail() {
    echo "package_starts.sh: $*" >&2
    exit 1
}

work="$build_dir/package-check"
rm -rf "$work"
mkdir -p "$work/unpacked"
"$source_dir/scripts/release-zip.sh" "$build_dir" "$work" >/dev/null
set -- "$work"/Trinumero-*.zip
[ -f "$1" ] || fail "release-zip.sh made no zip"
unzip -q "$1" -d "$work/unpacked"

folder=$(basename "$1" .zip)
listing=$(cd "$work/unpacked" && find . -type f | sort | tr '\n' ' ')
expected="./$folder/LICENSE.txt ./$folder/README.txt ./$folder/Trinumero.exe "
[ "$listing" = "$expected" ] || fail "the zip holds '$listing', not '$expected'"

exe="$work/unpacked/$folder/Trinumero.exe"
cmp -s "$exe" "$build_dir/app/Trinumero.exe" || fail "the zip's exe is not the one built"
"$objdump" -t "$exe" 2>&1 | grep -q "no symbols" || fail "the zip's exe keeps its symbols"

"$source_dir/scripts/run.sh" --once --picture "$build_dir/screenshots/package-run.png" \
    "$build_dir" "$exe"
