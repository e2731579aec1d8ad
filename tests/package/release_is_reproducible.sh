#!/bin/sh
# The release zip is reproducible: the tested build's zip and the zip of a second build, made
# from a copy of the sources in other folders, later, in another time zone and with another
# umask, are the same bytes. The exe is dated with the release time (the last commit's when
# nothing else is set), its zip entries too (in UTC, without extra fields), and it holds
# neither folder's path.
#   release_is_reproducible.sh SOURCE_DIR BUILD_DIR CMAKE GENERATOR TOOLCHAIN_FILE
set -eu
source_dir=$1
build_dir=$2
cmake=$3
generator=$4
toolchain=$5

fail() {
    echo "release_is_reproducible.sh: $*" >&2
    exit 1
}

epoch=$(sed -n 's/^epoch=//p' "$build_dir/release-info")
if [ -z "${SOURCE_DATE_EPOCH:-}" ] && [ -e "$source_dir/.git" ]; then
    committed=$(git -C "$source_dir" log -1 --format=%ct)
    [ "$epoch" = "$committed" ] || fail "the release time $epoch is not the commit's, $committed"
fi

work="$build_dir/reproducibility"
rm -rf "$work"
mkdir -p "$work/copy/sources"
tar -C "$source_dir" --exclude=./out --exclude=./.git -cf - . | tar -C "$work/copy/sources" -xf -
"$source_dir/scripts/release-zip.sh" "$build_dir" "$work/first" >/dev/null

# The copy has no .git: its release time is handed over, as for a tarball of the sources.
(
    umask 077
    export TZ=Pacific/Chatham SOURCE_DATE_EPOCH="$epoch"
    "$cmake" -S "$work/copy/sources" -B "$work/copy/build" -G "$generator" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
        --toolchain "$work/copy/sources/${toolchain#"$source_dir"/}" >/dev/null
    unset SOURCE_DATE_EPOCH
    "$cmake" --build "$work/copy/build" --target Trinumero >/dev/null
    "$work/copy/sources/scripts/release-zip.sh" "$work/copy/build" "$work/second" >/dev/null
) || fail "the second build failed"

name=$(sed -n 's/^name=//p' "$build_dir/release-info")
first="$work/first/$name.zip"
second="$work/second/$name.zip"
cmp "$work/copy/build/app/Trinumero.exe" "$build_dir/app/Trinumero.exe" ||
    fail "the two builds' programs differ"
cmp "$first" "$second" || fail "the two zips differ"

for exe in "$build_dir/app/Trinumero.exe" "$work/copy/build/app/Trinumero.exe"; do
    for folder in "$source_dir" "$build_dir" "$work/copy"; do
        ! grep -q -F "$folder" "$exe" || fail "$exe holds the path $folder"
    done
done

# TimeDateStamp: 4 bytes little-endian, 8 bytes into the PE header named at 0x3C.
header=$(od -An -tu4 -j 60 -N 4 "$build_dir/app/Trinumero.exe" | tr -d ' ')
stamp=$(od -An -tu4 -j $((header + 8)) -N 4 "$build_dir/app/Trinumero.exe" | tr -d ' ')
[ "$stamp" = "$epoch" ] || fail "the exe is dated $stamp, not $epoch"

# zipinfo -T prints each entry's DOS time as yyyymmdd.hhmmss; DOS times count in 2 s steps, and
# zip rounds an odd second up.
dos_time=$(TZ=UTC0 date -d "@$((epoch + epoch % 2))" +%Y%m%d.%H%M%S)
times=$(zipinfo -T "$first" | awk '/^-/ { print $7 }' | sort -u)
[ "$times" = "$dos_time" ] || fail "the zip's entries are dated '$times', not $dos_time"
extras=$(zipinfo -v "$first" | sed -n 's/^ *length of extra field: *\([0-9]*\) .*/\1/p' | sort -u)
[ "$extras" = 0 ] || fail "the zip's entries carry extra fields"
echo "$name.zip: the same $(stat -c %s "$first") bytes from both builds"
