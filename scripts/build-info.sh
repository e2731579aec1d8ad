#!/bin/sh
# What a release was built from, as "key=value" lines, for a rebuild elsewhere to compare with:
#
#   build-info.sh tools BUILD_DIR...     the Debian packages, with their exact versions, of the
#                                        tools the builds used: compiler, binutils, MinGW
#                                        runtime, zip, osslsigncode, CMake, Ninja
#   build-info.sh release PACKAGE_DIR BUILD_DIR...
#                                        the commit, the release time, whether the exes are
#                                        signed, the tools and the zips' SHA-256
#
# A tool outside any Debian package is named by its path with the value "unpackaged".
set -eu

fail() {
    echo "build-info.sh: $*" >&2
    exit 1
}

# The package that holds a file, with its version: "package.<name>=<version>".
package_of() {
    file=$(readlink -f "$(command -v "$1" || echo "$1")")
    owner=$(dpkg-query -S "$file" 2>/dev/null | head -n 1 | cut -d: -f1) || true
    if [ -z "$owner" ]; then
        echo "unpackaged.$1=unpackaged"
        return
    fi
    echo "package.$owner=$(dpkg-query -W -f='${Version}' "$owner")"
}

tools() {
    for build in "$@"; do
        compiler=$(sed -n 's/^compiler=//p' "$build/release-info")
        [ -x "$compiler" ] || fail "no compiler named in $build/release-info"
        # The compiler proper, link-time optimiser, C++ and GCC runtimes, linker, resource
        # compiler, MinGW's start-up code and import libraries, and the Windows headers.
        for file in "$compiler" "$("$compiler" -print-prog-name=cc1plus)" \
            "$("$compiler" -print-prog-name=lto1)" "$("$compiler" -print-file-name=libstdc++.a)" \
            "$("$compiler" -print-file-name=libgcc.a)" "$("$compiler" -print-prog-name=ld)" \
            "$(sed -n 's/^resource_compiler=//p' "$build/release-info")" \
            "$("$compiler" -print-file-name=crt2.o)" "$("$compiler" -print-file-name=libkernel32.a)" \
            "$(echo '#include <windows.h>' | "$compiler" -H -fsyntax-only -x c - 2>&1 |
                sed -n '1s/^\. //p')"; do
            package_of "$file"
        done
    done
    for tool in zip osslsigncode cmake ninja; do
        path=$(command -v "$tool") || fail "$tool is missing"
        package_of "$path"
    done
}

case "${1:-}" in
    tools)
        shift
        packages=$(tools "$@")
        echo "$packages" | LC_ALL=C sort -u
        ;;
    release)
        package_dir=$2
        shift 2
        release_info="$1/release-info"
        [ -f "$release_info" ] || fail "$release_info is missing: configure the build first"
        root=$(cd "$(dirname "$0")/.." && pwd)
        commit=unknown
        if git -C "$root" rev-parse --verify -q HEAD >/dev/null 2>&1; then
            commit=$(git -C "$root" rev-parse HEAD)
            # Changes the commit does not hold: no rebuild of the commit gives these zips.
            [ -z "$(git -C "$root" status --porcelain --untracked-files=no)" ] ||
                commit="$commit+modified"
        fi
        version=$(sed -n 's/^version=//p' "$release_info")
        packages=$(tools "$@")
        echo "# Trinumero $version: what the release zips were built from (make package)."
        echo "# Check them against a build of your own: make verify-release INFO=<this file>"
        echo "version=$version"
        echo "commit=$commit"
        echo "source_date_epoch=$(sed -n 's/^epoch=//p' "$release_info")"
        echo "signed=$([ -n "${SIGN_CERT:-}" ] && echo yes || echo no)"
        echo "$packages" | LC_ALL=C sort -u
        (cd "$package_dir" && for zip in Trinumero-*.zip; do
            echo "$zip=$(sha256sum "$zip" | cut -d' ' -f1)"
        done)
        ;;
    *)
        fail "usage: build-info.sh tools BUILD_DIR... | release PACKAGE_DIR BUILD_DIR..."
        ;;
esac
