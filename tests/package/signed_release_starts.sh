#!/bin/sh
# Signed with a throw-away code-signing certificate, the zip's exe verifies (SHA-256), fails to
# once one byte of its code changes, is the build's own exe without its signature (so the build's
# exe stays unsigned), and starts under Wine.
#   signed_release_starts.sh SOURCE_DIR BUILD_DIR
set -eu
work=$2/signing-check
fail() { echo "signed_release_starts.sh: $*" >&2; exit 1; }
rm -rf "$work" && mkdir -p "$work"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Trinumero test" -addext \
    extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
zip=$(SIGN_CERT="$work/cert.pem" SIGN_KEY="$work/key.pem" "$1/scripts/release-zip.sh" "$2" "$work")
unzip -q "$zip" -d "$work"
exe="$work/$(basename "$zip" .zip)/Trinumero.exe"
verify() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >"$work/verify.log" 2>&1; }
verify "$exe" && grep -q "digest algorithm *: SHA256" "$work/verify.log" || fail "not verified"
osslsigncode remove-signature -in "$exe" -out "$work/unsigned.exe" >/dev/null
cmp "$work/unsigned.exe" "$2/app/Trinumero.exe" || fail "signing changed more than the signature"
# One byte 4 KiB in: inside the code, which starts at 0x400 and runs for tens of KiB.
cp "$exe" "$work/changed.exe"
byte=$(od -An -tu1 -j 4096 -N 1 "$exe" | tr -d ' ')
printf "\\$(printf %03o $(((byte + 1) % 256)))" | dd of="$work/changed.exe" bs=1 seek=4096 \
    conv=notrunc 2>/dev/null
! verify "$work/changed.exe" || fail "osslsigncode accepts the exe with a changed byte"
"$1/scripts/run.sh" --once --picture "$2/screenshots/signed-run.png" "$2" "$exe"
