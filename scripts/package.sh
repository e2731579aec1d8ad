#!/bin/sh
# make package: the release zips of the x86_64 and the i686 build, their checksums and the package
# managers' manifests (scripts/release-manifests.sh), and what they were built from (BUILD-INFO:
# the commit, the release time and the exact versions of the tools, scripts/build-info.sh), in
# out/package. The builds must be configured and built already (the Makefile does it). SIGN_CERT
# and SIGN_KEY (PEM files) sign both exes; RELEASE_BASE_URL is where the zips will be downloaded
# from.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/out/package"
rm -rf "$out"
mkdir -p "$out"

# The certificate and key may be named relative to the folder make was called from.
[ -z "${SIGN_CERT:-}" ] || SIGN_CERT=$(readlink -f "$SIGN_CERT")
[ -z "${SIGN_KEY:-}" ] || SIGN_KEY=$(readlink -f "$SIGN_KEY")

for preset in win64 win32; do
    "$root/scripts/release-zip.sh" "$root/out/build/$preset" "$out" >/dev/null
done

info() {
    sed -n "s/^$1=//p" "$root/out/build/win64/release-info"
}
"$root/scripts/release-manifests.sh" "$out" "$(info version)" "$(info epoch)" \
    "$(info homepage)" "$(info publisher)"

SIGN_CERT=${SIGN_CERT:-} "$root/scripts/build-info.sh" release "$out" "$root/out/build/win64" \
    "$root/out/build/win32" >"$out/BUILD-INFO"

cd "$out"
ls -l Trinumero-*.zip
cat SHA256SUMS
