#!/bin/sh
# Builds the fuzz targets and runs each for the given number of seconds.
set -eu
echo "fuzz targets: none yet"
