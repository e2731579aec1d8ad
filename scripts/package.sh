#!/bin/sh
# make package: the release zips of the x86_64 and the i686 build, and their checksums,
# in out/package. The builds must be configured and built already (the Makefile does it).
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/out/package"
mkdir -p "$out"
rm -f "$out"/Trinumero-*.zip "$out/SHA256SUMS"

for preset in win64 win32; do
    build="$root/out/build/$preset"
    rm -f "$build"/package/Trinumero-*.zip
    (cd "$root" && cpack --preset "$preset" >/dev/null)
    cp "$build"/package/Trinumero-*-"$preset".zip "$out/"
done

cd "$out"
sha256sum Trinumero-*-win64.zip Trinumero-*-win32.zip >SHA256SUMS
ls -l Trinumero-*.zip
cat SHA256SUMS
