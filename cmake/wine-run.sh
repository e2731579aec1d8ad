#!/bin/sh
# Runs a Windows program under Wine with the build folder's private prefix.
#
#   wine-run.sh BUILD_DIR PROGRAM [ARGS...]   run PROGRAM, exit with its exit code
#   wine-run.sh BUILD_DIR --start             create the prefix and the display only
#   wine-run.sh BUILD_DIR --stop              end the prefix's wineserver and our Xvfb
#
# When DISPLAY is unset (CI, a plain ssh session) a private Xvfb is started once per
# build folder and shared by every test of that folder until --stop.
set -eu

# Wine wants an absolute prefix path.
mkdir -p "$1"
build_dir=$(cd "$1" && pwd)
shift

export WINEPREFIX="$build_dir/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# A fixed Western locale: Wine's ANSI code page is then 1252, so nothing in the program
# can depend on the Russian code page being the system's by accident.
export LANG=en_US.UTF-8
unset LC_ALL LC_CTYPE LC_MESSAGES LANGUAGE

find_tool() {
    for candidate in "$@"; do
        if command -v "$candidate" >/dev/null 2>&1; then
            command -v "$candidate"
            return 0
        fi
        if [ -x "$candidate" ]; then
            echo "$candidate"
            return 0
        fi
    done
    echo "wine-run.sh: none of $* found" >&2
    return 1
}

WINE=$(find_tool wine64 /usr/lib/wine/wine64 wine)
WINESERVER=$(find_tool wineserver /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver)

xvfb_pid_file="$build_dir/xvfb.pid"
xvfb_display_file="$build_dir/xvfb.display"

xvfb_running() {
    [ -s "$xvfb_pid_file" ] && [ -s "$xvfb_display_file" ] && kill -0 "$(cat "$xvfb_pid_file")" 2>/dev/null
}

start_xvfb() {
    xvfb_running && return 0
    rm -f "$xvfb_display_file"
    # -displayfd picks a free display number and writes it to fd 3 once the server is up.
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
        3>"$xvfb_display_file" 9>&- </dev/null >/dev/null 2>&1 &
    echo $! >"$xvfb_pid_file"
    tries=0
    while ! grep -q '[0-9]' "$xvfb_display_file" 2>/dev/null; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ]; then
            echo "wine-run.sh: Xvfb did not start" >&2
            return 1
        fi
        sleep 0.1
    done
}

stop_all() {
    if [ -d "$WINEPREFIX" ]; then
        "$WINESERVER" -k 2>/dev/null || true
    fi
    if xvfb_running; then
        kill "$(cat "$xvfb_pid_file")" 2>/dev/null || true
    fi
    rm -f "$xvfb_pid_file" "$xvfb_display_file"
}

if [ "${1:-}" = "--stop" ]; then
    stop_all
    exit 0
fi

# Display and prefix are set up under a lock: CTest may start several programs at once.
# Whatever is started inside must not inherit the lock (fd 9), or it would hold it forever.
(
    flock 9
    if [ -z "${DISPLAY:-}" ]; then
        start_xvfb
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        private_display=
        if [ -z "${DISPLAY:-}" ]; then
            DISPLAY=":$(tr -dc 0-9 <"$xvfb_display_file")"
            export DISPLAY
            private_display=1
        fi
        "$WINE" wineboot --init 9>&- </dev/null >/dev/null 2>&1 || true
        if [ -n "$private_display" ]; then
            # No window manager runs on the private display: Wine then draws the window
            # frames itself (screenshots show the caption) and does not wait 2 s for a
            # manager whenever a window is hidden or destroyed.
            "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
                9>&- </dev/null >/dev/null 2>&1 || true
        fi
        "$WINESERVER" -w 9>&- 2>/dev/null || true
    fi
) 9>"$build_dir/wine-run.lock"

if [ -z "${DISPLAY:-}" ]; then
    DISPLAY=":$(tr -dc 0-9 <"$xvfb_display_file")"
    export DISPLAY
fi

if [ "${1:-}" = "--start" ]; then
    exit 0
fi

exec "$WINE" "$@" </dev/null
