#!/bin/sh
# A second build from a copy of the sources, in other folders, later, in another time zone and
# with another umask, gives the very same zip (so no folder's path is in the exe). The exe and
# the zip entries (UTC, no extra fields) carry the release time, the last commit's by default.
#   release_is_reproducible.sh SOURCE_DIR BUILD_DIR CMAKE GENERATOR TOOLCHAIN_FILE
set -eu
src=$1 build=$2 work=$2/reproducibility
fail() { echo "release_is_reproducible.sh: $*" >&2; exit 1; }
epoch=$(sed -n 's/^epoch=//p' "$build/release-info")
if [ -z "${SOURCE_DATE_EPOCH:-}" ] && [ -e "$src/.git" ]; then
    [ "$epoch" = "$(git -C "$src" log -1 --format=%ct)" ] || fail "$epoch is not the commit's time"
fi
rm -rf "$work" && mkdir -p "$work/copy/src"
tar -C "$src" --exclude=./out --exclude=./.git -cf - . | tar -C "$work/copy/src" -xf -
zip1=$("$src/scripts/release-zip.sh" "$build" "$work/first")
# The copy has no .git: the release time is handed over, as to a tarball of the sources.
zip2=$(umask 077 && export TZ=Pacific/Chatham && SOURCE_DATE_EPOCH=$epoch "$3" -S "$work/copy/src" \
    -B "$work/copy/build" -G "$4" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    --toolchain "$work/copy/src/${5#"$src"/}" >/dev/null &&
    "$3" --build "$work/copy/build" --target Trinumero >/dev/null &&
    "$work/copy/src/scripts/release-zip.sh" "$work/copy/build" "$work/second") || fail "no 2nd zip"
cmp "$zip1" "$zip2" || fail "the two zips differ"
pe=$(od -An -tu4 -j 60 -N 4 "$build/app/Trinumero.exe" | tr -d ' ')
[ "$(od -An -tu4 -j $((pe + 8)) -N 4 "$build/app/Trinumero.exe" | tr -d ' ')" = "$epoch" ] ||
    fail "exe's date"
# zipinfo -T shows DOS times (2 s steps; zip rounds an odd second up).
dos=$(TZ=UTC0 date -d "@$((epoch + epoch % 2))" +%Y%m%d.%H%M%S)
[ "$(zipinfo -T "$zip1" | awk '/^-/ { print $7 }' | sort -u)" = "$dos" ] || fail "entry times"
[ "$(zipinfo -v "$zip1" | sed -n 's/^ *length of extra field: *//p' | sort -u)" = "0 bytes" ] ||
    fail "the entries carry extra fields"
