#!/bin/sh
# A release zip made with a (throw-away, self-signed) code-signing certificate holds an exe whose
# Authenticode signature osslsigncode accepts, and rejects once one byte of the code is changed;
# without its signature it is the build's own exe, which stays unsigned; and the signed exe
# still starts under Wine.
#   signed_release_starts.sh SOURCE_DIR BUILD_DIR
set -eu
source_dir=$1
build_dir=$2

fail() {
    echo "signed_release_starts.sh: $*" >&2
    exit 1
}

work="$build_dir/signing-check"
rm -rf "$work"
mkdir -p "$work/unpacked"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Trinumero test signer" \
    -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" \
    -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null || fail "openssl made no certificate"

zip=$(SIGN_CERT="$work/cert.pem" SIGN_KEY="$work/key.pem" \
    "$source_dir/scripts/release-zip.sh" "$build_dir" "$work")
unzip -q "$zip" -d "$work/unpacked"
exe="$work/unpacked/$(basename "$zip" .zip)/Trinumero.exe"

verify() {
    osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >"$work/verify.log" 2>&1
}
verify "$exe" || { cat "$work/verify.log"; fail "the signed exe does not verify"; }
grep -q "Message digest algorithm *: SHA256" "$work/verify.log" || fail "the digest is not SHA-256"
! verify "$build_dir/app/Trinumero.exe" || fail "the build's own exe was signed"
# Signing adds the signature and nothing else: without it the exe is the unsigned release's.
osslsigncode remove-signature -in "$exe" -out "$work/unsigned.exe" >/dev/null
cmp "$work/unsigned.exe" "$build_dir/app/Trinumero.exe" || fail "signing changed more than that"

# One byte 4 KiB into the file, inside the code (which starts at 0x400 and runs for tens of KiB).
cp "$exe" "$work/changed.exe"
byte=$(od -An -tu1 -j 4096 -N 1 "$work/changed.exe" | tr -d ' ')
printf "\\$(printf %03o $(((byte + 1) % 256)))" |
    dd of="$work/changed.exe" bs=1 seek=4096 conv=notrunc 2>/dev/null
! cmp -s "$exe" "$work/changed.exe" || fail "the byte was not changed"
! verify "$work/changed.exe" || fail "osslsigncode accepts the exe with a changed byte"

"$source_dir/scripts/run.sh" --once --picture "$build_dir/screenshots/signed-run.png" \
    "$build_dir" "$exe"
