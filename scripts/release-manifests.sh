#!/bin/sh
# The checksums and the package-manager manifests of the two release zips in OUT_DIR:
#
#   release-manifests.sh OUT_DIR VERSION EPOCH HOMEPAGE PUBLISHER
#
#   OUT_DIR/SHA256SUMS
#                     the zips' SHA-256, as sha256sum writes them; the manifests' hashes are these
#   OUT_DIR/winget/manifests/t/Trinumero/Trinumero/VERSION/
#                     a winget multi-file manifest (version, default locale, installer) at the
#                     place it takes in microsoft/winget-pkgs: a zip holding a portable exe, one
#                     installer per architecture; every version in it a quoted string
#   OUT_DIR/scoop/trinumero.json
#                     a Scoop manifest: both architectures, a Start-menu shortcut (no command on
#                     the PATH: the program takes no arguments), and checkver and autoupdate,
#                     which find a new version in HOMEPAGE/releases/latest/download/SHA256SUMS
#                     and take its zips' hashes from the SHA256SUMS beside them
#
# The zips are downloaded from RELEASE_BASE_URL/<zip name>; RELEASE_BASE_URL defaults to
# HOMEPAGE/releases/download/v<version>, and the version in it stands for any version in Scoop's
# autoupdate. The release date is EPOCH's day in UTC.
set -eu

fail() {
    echo "release-manifests.sh: $*" >&2
    exit 1
}

[ $# -eq 5 ] || fail "usage: release-manifests.sh OUT_DIR VERSION EPOCH HOMEPAGE PUBLISHER"
out_dir=$1
version=$2
epoch=$3
homepage=$4
publisher=$5
base_url=${RELEASE_BASE_URL:-$homepage/releases/download/v$version}
base_url=${base_url%/}
# The addresses go into YAML and JSON unquoted and unescaped: plain URLs only.
for url in "$homepage" "$base_url"; do
    case "$url" in
        http://* | https://*) ;;
        *) fail "'$url' is not an http(s) address" ;;
    esac
    case "$url" in
        *[[:space:]\\\"#]*) fail "'$url' holds a blank, a quote, a backslash or a '#'" ;;
    esac
done
# The version goes into paths, quoted strings and a regular expression: digits and dots only.
case "$version" in
    "" | *[!0-9.]*) fail "'$version' is not a version of digits and dots" ;;
esac
base_template=$(echo "$base_url" | sed "s/$(echo "$version" | sed 's/\./\\./g')/\$version/g")
release_date=$(date -u -d "@$epoch" +%Y-%m-%d)

id=Trinumero.Trinumero
schema=1.12.0
description="Converts numbers between hexadecimal, decimal and binary as they are typed"

zip_name() {
    echo "Trinumero-$version-$1"
}
for arch in win64 win32; do
    [ -f "$out_dir/$(zip_name $arch).zip" ] || fail "$out_dir/$(zip_name $arch).zip is missing"
done
(cd "$out_dir" && sha256sum "$(zip_name win64).zip" "$(zip_name win32).zip" >SHA256SUMS)
zip_hash() {
    sed -n "s/^\([0-9a-f]*\)  $(zip_name "$1")\.zip\$/\1/p" "$out_dir/SHA256SUMS"
}
hash64=$(zip_hash win64)
hash32=$(zip_hash win32)

publisher_id=${id%%.*}
rm -rf "$out_dir/winget"
winget="$out_dir/winget/manifests/$(echo "$publisher_id" | cut -c 1 | tr A-Z a-z)"
winget="$winget/$publisher_id/${id#*.}/$version"
mkdir -p "$winget"

cat >"$winget/$id.yaml" <<EOF
# yaml-language-server: \$schema=https://aka.ms/winget-manifest.version.$schema.schema.json
PackageIdentifier: $id
PackageVersion: "$version"
DefaultLocale: en-US
ManifestType: version
ManifestVersion: "$schema"
EOF

cat >"$winget/$id.locale.en-US.yaml" <<EOF
# yaml-language-server: \$schema=https://aka.ms/winget-manifest.defaultLocale.$schema.schema.json
PackageIdentifier: $id
PackageVersion: "$version"
PackageLocale: en-US
Publisher: $publisher
PackageName: Trinumero
PackageUrl: $homepage
License: MIT
ShortDescription: $description
Description: A small portable Windows tool with one window and a hexadecimal, a decimal and a binary field; a number typed into one of them appears at once in the other two. The user interface is in Russian.
Moniker: trinumero
Tags:
- binary
- converter
- decimal
- hexadecimal
ManifestType: defaultLocale
ManifestVersion: "$schema"
EOF

installer() {
    cat <<EOF
- Architecture: $1
  NestedInstallerFiles:
  - RelativeFilePath: $(zip_name "$2")\\Trinumero.exe
    PortableCommandAlias: trinumero
  InstallerUrl: $base_url/$(zip_name "$2").zip
  InstallerSha256: $(echo "$3" | tr a-f A-F)
EOF
}

{
    cat <<EOF
# yaml-language-server: \$schema=https://aka.ms/winget-manifest.installer.$schema.schema.json
PackageIdentifier: $id
PackageVersion: "$version"
InstallerLocale: ru-RU
InstallerType: zip
NestedInstallerType: portable
MinimumOSVersion: "6.1.7601.0"
ReleaseDate: $release_date
Installers:
EOF
    installer x64 win64 "$hash64"
    installer x86 win32 "$hash32"
    cat <<EOF
ManifestType: installer
ManifestVersion: "$schema"
EOF
} >"$winget/$id.installer.yaml"

scoop="$out_dir/scoop"
rm -rf "$scoop"
mkdir -p "$scoop"
cat >"$scoop/trinumero.json" <<EOF
{
    "version": "$version",
    "description": "$description (Russian user interface).",
    "homepage": "$homepage",
    "license": "MIT",
    "architecture": {
        "64bit": {
            "url": "$base_url/$(zip_name win64).zip",
            "hash": "$hash64",
            "extract_dir": "$(zip_name win64)"
        },
        "32bit": {
            "url": "$base_url/$(zip_name win32).zip",
            "hash": "$hash32",
            "extract_dir": "$(zip_name win32)"
        }
    },
    "shortcuts": [
        [
            "Trinumero.exe",
            "Trinumero"
        ]
    ],
    "checkver": {
        "url": "$homepage/releases/latest/download/SHA256SUMS",
        "regex": "Trinumero-([0-9.]+)-win64[.]zip"
    },
    "autoupdate": {
        "architecture": {
            "64bit": {
                "url": "$base_template/Trinumero-\$version-win64.zip",
                "extract_dir": "Trinumero-\$version-win64"
            },
            "32bit": {
                "url": "$base_template/Trinumero-\$version-win32.zip",
                "extract_dir": "Trinumero-\$version-win32"
            }
        },
        "hash": {
            "url": "\$baseurl/SHA256SUMS",
            "regex": "\$sha256 [ *]\$basename"
        }
    }
}
EOF
