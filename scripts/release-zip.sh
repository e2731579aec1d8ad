#!/bin/sh
# The release zip of one configured and built Windows build folder, made reproducibly:
#
#   release-zip.sh BUILD_DIR OUT_DIR      writes OUT_DIR/Trinumero-<version>-<arch>.zip
#
# The same build gives the same bytes whatever the folder, the time, the time zone, the umask
# or the user: every entry is dated with the build's release time (BUILD_DIR/release-info),
# entries come in name order, with fixed permissions and without extra fields (no owner, no
# Unix times). With SIGN_CERT and SIGN_KEY set (PEM files), the exe is given an Authenticode
# signature (SHA-256) before it is zipped; the build's own exe is left as it is.
set -eu

fail() {
    echo "release-zip.sh: $*" >&2
    exit 1
}

[ $# -eq 2 ] || fail "usage: release-zip.sh BUILD_DIR OUT_DIR"
build_dir=$(cd "$1" && pwd)
mkdir -p "$2"
out_dir=$(cd "$2" && pwd)
info_file="$build_dir/release-info"
[ -f "$info_file" ] || fail "$info_file is missing: configure the build first"
info() {
    sed -n "s/^$1=//p" "$info_file"
}
name=$(info name)
epoch=$(info epoch)
cmake=$(info cmake)

signing=
if [ -n "${SIGN_CERT:-}" ] || [ -n "${SIGN_KEY:-}" ]; then
    [ -n "${SIGN_CERT:-}" ] && [ -n "${SIGN_KEY:-}" ] ||
        fail "signing needs both SIGN_CERT and SIGN_KEY"
    command -v osslsigncode >/dev/null || fail "signing needs osslsigncode"
    signing=1
fi

stage=$(mktemp -d "$out_dir/.stage.XXXXXX")
trap 'rm -rf "$stage"' EXIT
"$cmake" --install "$build_dir" --prefix "$stage/$name" >/dev/null

if [ -n "$signing" ]; then
    exe="$stage/$name/Trinumero.exe"
    osslsigncode sign -certs "$SIGN_CERT" -key "$SIGN_KEY" -h sha256 -n Trinumero \
        -i "$(info homepage)" -in "$exe" -out "$exe.signed" >/dev/null ||
        fail "osslsigncode could not sign $exe"
    mv "$exe.signed" "$exe"
fi

chmod 755 "$stage/$name"
find "$stage/$name" -type f -exec chmod 644 {} +
chmod 755 "$stage/$name/Trinumero.exe"
find "$stage/$name" -exec touch -h -d "@$epoch" {} +

zip="$out_dir/$name.zip"
rm -f "$zip"
# zip writes local DOS times: in UTC they are the release time everywhere. ZIPOPT and ZIP would
# add the caller's own options.
(
    cd "$stage"
    find "$name" -type f | LC_ALL=C sort >"$stage/list"
    unset ZIPOPT ZIP
    TZ=UTC0 zip -q -X -D -9 "$zip" -@ <"$stage/list"
)
echo "$zip"
