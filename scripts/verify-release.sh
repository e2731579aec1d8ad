#!/bin/sh
# make verify-release INFO=<a release's BUILD-INFO>: builds the commit the release was made from,
# in a temporary Git worktree and with the release's time, and compares the zips with the
# release's, byte for byte: with the zips themselves when they lie beside INFO (as downloaded),
# otherwise through the SHA-256 that INFO records for them. Where they differ, it names the
# tools whose Debian package versions differ from the ones INFO records. A signed release's
# zips must lie beside INFO: their exes are compared without the signature.
#
#   verify-release.sh INFO
set -eu

fail() {
    echo "verify-release.sh: $*" >&2
    exit 1
}

[ $# -eq 1 ] && [ -f "$1" ] || fail "usage: verify-release.sh BUILD-INFO"
info=$(readlink -f "$1")
published=$(dirname "$info")
root=$(cd "$(dirname "$0")/.." && pwd)
value() {
    sed -n "s/^$1=//p" "$info"
}
commit=$(value commit)
epoch=$(value source_date_epoch)
case "$commit" in
    "" | unknown | *+*) fail "the release was not built from a commit alone ($commit)" ;;
esac
git -C "$root" cat-file -e "$commit^{commit}" 2>/dev/null ||
    fail "commit $commit is not in this clone: fetch it first"

work=$(mktemp -d "${TMPDIR:-/tmp}/trinumero-verify.XXXXXX")
cleanup() {
    git -C "$root" worktree remove --force "$work/source" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
git -C "$root" worktree add --detach "$work/source" "$commit" >/dev/null 2>&1 ||
    fail "cannot check $commit out into $work/source"

echo "Building $commit in $work/source, released at $epoch"
for preset in win64 win32; do
    (cd "$work/source" && export SOURCE_DATE_EPOCH="$epoch" &&
        cmake --preset "$preset" -DBUILD_TESTING=OFF >/dev/null &&
        cmake --build --preset "$preset" --target Trinumero >/dev/null) ||
        fail "the $preset build failed"
    "$work/source/scripts/release-zip.sh" "$work/source/out/build/$preset" "$work/zips" >/dev/null
done

differ=0
for zip in $(sed -n 's/^\(Trinumero-[^=]*\.zip\)=.*/\1/p' "$info"); do
    rebuilt="$work/zips/$zip"
    if [ "$(value signed)" = yes ]; then
        [ -f "$published/$zip" ] || fail "a signed release: put $zip beside $1"
        mkdir -p "$work/released" "$work/mine"
        unzip -q -o "$published/$zip" -d "$work/released"
        unzip -q -o "$rebuilt" -d "$work/mine"
        exe="$(basename "$zip" .zip)/Trinumero.exe"
        osslsigncode remove-signature -in "$work/released/$exe" -out "$work/unsigned.exe" >/dev/null
        mv "$work/unsigned.exe" "$work/released/$exe"
        how="its files, the exe without its signature"
        same() { diff -r "$work/released/$(basename "$zip" .zip)" "$work/mine/$(basename "$zip" .zip)" >/dev/null; }
    elif [ -f "$published/$zip" ]; then
        how="byte for byte with $published/$zip"
        same() { cmp -s "$published/$zip" "$rebuilt"; }
    else
        how="by the SHA-256 recorded"
        same() { [ -f "$rebuilt" ] && [ "$(sha256sum <"$rebuilt" | cut -d' ' -f1)" = "$(value "$zip")" ]; }
    fi
    if same; then
        echo "$zip: the same as the release ($how)"
    else
        echo "$zip: DIFFERS from the release ($how)"
        differ=1
    fi
done

if [ $differ -eq 0 ]; then
    echo "The release is the build of commit $commit."
    exit 0
fi
"$root/scripts/build-info.sh" tools "$work/source/out/build/win64" "$work/source/out/build/win32" \
    >"$work/tools-here"
echo "Tools whose Debian packages differ from the release's:"
grep -E '^(package|unpackaged)\.' "$info" | awk -F= '
    NR == FNR { here[$1] = $2; next }
    { seen[$1] = 1 }
    here[$1] != $2 { printf "  %s: %s in the release, %s here\n", $1, $2, ($1 in here) ? here[$1] : "none"; n++ }
    END {
        for (tool in here) if (!(tool in seen)) { printf "  %s: none in the release, %s here\n", tool, here[tool]; n++ }
        if (!n) print "  none: the same packages and versions"
    }' "$work/tools-here" -
exit 1
