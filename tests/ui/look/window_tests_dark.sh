#!/bin/sh
# The dark app mode's window tests, high contrast over it and the highlight tests, in a prefix of
# their own (BUILD_DIR/dark) whose app mode is dark, so that the other tests keep the light one.
#   window_tests_dark.sh WINE_RUN BUILD_DIR WINDOW_TESTS RUNTIME_UI_TESTS
set -eu
work="$2/dark"
trap '"$1" "$work" --stop' EXIT
"$(dirname "$1")/wine-dark-prefix.sh" "$2" "$work"
dpi='HKCU\Control Panel\Desktop'
"$1" "$work" reg add "$dpi" /v LogPixels /t REG_DWORD /d 96 /f >/dev/null
# The dark tests fail, rather than skip, when the mode is not dark. The menu's items and its
# keyboard use are checked here too, drawn by the program.
TRINUMERO_EXPECTED_DARK=1 "$1" "$work" --gtest "$3" \
    '--gtest_filter=DarkSchemeTest.*:HighContrastTest.*:AppWindowTest.MenuHolds*:EventModelTest.ChoosingTheItem*'
"$1" "$work" --gtest "$4" '--gtest_filter=Highlight.*'
# The drop-down's check mark at another display scale.
"$1" "$work" reg add "$dpi" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
TRINUMERO_EXPECTED_DARK=1 "$1" "$work" --gtest "$3" '--gtest_filter=DarkSchemeTest.TheDropDown*'
