#!/bin/sh
# Makes FOLDER a place of its own to run BUILD_DIR's Windows programs in (cmake/wine-run.sh FOLDER
# ...), with a Wine prefix whose app mode is dark (AppsUseLightTheme 0).
#   wine-dark-prefix.sh BUILD_DIR FOLDER
set -eu
mkdir -p "$2"
cp "$1/wine-arch" "$2/wine-arch"
"$(dirname "$0")/wine-run.sh" "$2" reg add \
    'HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize' \
    /v AppsUseLightTheme /t REG_DWORD /d 0 /f >/dev/null
