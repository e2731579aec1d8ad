#!/bin/sh
# The window tests that hold at any display scale, run with the Wine prefix at 120, 144 and
# 192 dpi. They get a prefix of their own (BUILD_DIR/dpi), so that the other tests keep 96 dpi.
#   window_tests_at_dpi.sh WINE_RUN BUILD_DIR WINDOW_TESTS
set -eu
runner=$1
build_dir=$2
program=$3

work="$build_dir/dpi"
mkdir -p "$work"
cp "$build_dir/wine-arch" "$work/wine-arch"
trap '"$runner" "$work" --stop' EXIT

filter='DisplayScaleTest.*:ScreenshotTest.*:AppWindowTest.EveryLabelTextFitsItsControl'
for dpi in 120 144 192; do
    "$runner" "$work" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        >/dev/null
    echo "window tests at $dpi dpi"
    # The tests check that the window really is at that DPI.
    TRINUMERO_EXPECTED_DPI=$dpi "$runner" "$work" --gtest "$program" "--gtest_filter=$filter"
done
