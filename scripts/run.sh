#!/bin/sh
# Starts Trinumero.exe under Wine with the build folder's private prefix.
#
#   run.sh BUILD_DIR [EXE]                   make run: with a DISPLAY the window opens for
#                                            the user
#   run.sh --once [--picture PNG] BUILD_DIR [EXE]
#                                            start it, wait for its window, save a picture
#                                            of it, close it with Alt+F4 and exit with the
#                                            program's exit code (1 when no window came)
#
# EXE defaults to the build folder's app/Trinumero.exe. Without a DISPLAY, run.sh always
# works as --once, on a private Xvfb, with the picture in BUILD_DIR/screenshots/make-run.png.
# Where the build folder's programs run in the emulated machine (an i686 build on a host that
# cannot execute 32-bit programs, scripts/i686-machine/machine.sh), run.sh runs there as a whole,
# always as --once: the window, the pointer and the keys are on the machine's own display.
set -eu

once=
picture=
while [ $# -gt 0 ]; do
    case "$1" in
        --once) once=1; shift ;;
        --picture) picture=$2; shift 2 ;;
        *) break ;;
    esac
done

build_dir=$(cd "$1" && pwd)
exe=${2:-$build_dir/app/Trinumero.exe}
top="$(cd "$(dirname "$0")/.." && pwd)"
runner="$top/cmake/wine-run.sh"
picture=${picture:-$build_dir/screenshots/make-run.png}

if [ ! -f "$exe" ]; then
    echo "run.sh: $exe is missing; build it first" >&2
    exit 1
fi

machine="$top/scripts/i686-machine/machine.sh"
if "$machine" needed "$build_dir"; then
    echo "run.sh: starting $exe in the emulated machine (this host cannot execute 32-bit programs)"
    exec "$machine" exec "$build_dir" sh "$top/scripts/run.sh" --once --picture "$picture" \
        "$build_dir" "$exe"
fi

if [ -n "${DISPLAY:-}" ] && [ -z "$once" ]; then
    exec "$runner" "$build_dir" "$exe"
fi

# The runner starts a private Xvfb when there is no display; it is ended here only when
# this script was the one that needed it.
own_display=
if [ -z "${DISPLAY:-}" ] && [ -z "$("$runner" "$build_dir" --display)" ]; then
    own_display=1
fi
"$runner" "$build_dir" --start
if [ -z "${DISPLAY:-}" ]; then
    DISPLAY=$("$runner" "$build_dir" --display)
    export DISPLAY
fi
"$runner" "$build_dir" "$exe" &
program=$!

# Wine names the X window class after the program file.
class=$(basename "$exe" | tr 'A-Z' 'a-z')
window=""
tries=0
while [ -z "$window" ] && [ $tries -lt 150 ] && kill -0 "$program" 2>/dev/null; do
    window=$(xdotool search --onlyvisible --classname "$class" 2>/dev/null | head -n 1 || true)
    tries=$((tries + 1))
    sleep 0.2
done

if [ -n "$window" ]; then
    mkdir -p "$(dirname "$picture")"
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
    kill "$program" 2>/dev/null || true
    status=1
else
    wait "$program" || status=$?
fi
if [ -n "$own_display" ]; then
    "$runner" "$build_dir" --stop
fi

if [ -z "$window" ]; then
    echo "run.sh: no Trinumero window appeared" >&2
    exit 1
fi
echo "Trinumero ran and closed with exit code $status; its window is in $picture"
exit $status
