#!/bin/sh
# make run: starts Trinumero.exe under Wine with the build folder's private prefix.
# With a DISPLAY the window opens for the user. Without one the program runs on a private
# Xvfb: a screenshot is saved into the build folder, the program is closed, and the path
# of the picture is printed.
set -eu

build_dir=$(cd "$1" && pwd)
exe="$build_dir/app/Trinumero.exe"
runner="$(dirname "$0")/../cmake/wine-run.sh"

if [ ! -f "$exe" ]; then
    echo "run.sh: $exe is missing; build the win64 preset first" >&2
    exit 1
fi

if [ -n "${DISPLAY:-}" ]; then
    exec "$runner" "$build_dir" "$exe"
fi

# No display: a private Xvfb (started by the runner), a screenshot, a clean close.
"$runner" "$build_dir" --start
DISPLAY=":$(tr -dc 0-9 <"$build_dir/xvfb.display")"
export DISPLAY
"$runner" "$build_dir" "$exe" &
program=$!

window=""
tries=0
while [ -z "$window" ] && [ $tries -lt 150 ]; do
    window=$(xdotool search --onlyvisible --classname trinumero.exe 2>/dev/null | head -n 1 || true)
    tries=$((tries + 1))
    sleep 0.2
done

shots="$build_dir/screenshots"
mkdir -p "$shots"
picture="$shots/make-run.png"
if [ -n "$window" ]; then
    sleep 1  # let the first paint finish
    import -window root "$picture" 2>/dev/null || xwd -root -silent | convert xwd:- "$picture"
    # Only the window, not the empty screen round it.
    convert "$picture" -trim +repage "$picture" 2>/dev/null || true
    # Close it as a user would: with no window manager the keyboard follows the pointer,
    # so point at the window and press Alt+F4.
    xdotool mousemove --window "$window" 100 10 2>/dev/null || true
    xdotool key alt+F4 2>/dev/null || true
fi

status=0
tries=0
while kill -0 "$program" 2>/dev/null && [ $tries -lt 50 ]; do
    tries=$((tries + 1))
    sleep 0.2
done
if kill -0 "$program" 2>/dev/null; then
    echo "run.sh: the program did not close; ending it" >&2
    "$runner" "$build_dir" --stop
    status=1
else
    wait "$program" || status=$?
    "$runner" "$build_dir" --stop
fi

if [ -n "$window" ]; then
    echo "Trinumero ran without a display; its window is in $picture (exit code $status)"
else
    echo "run.sh: no Trinumero window appeared" >&2
    status=1
fi
exit $status
