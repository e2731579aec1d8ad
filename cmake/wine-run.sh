#!/bin/sh
# Runs a Windows program under Wine with the build folder's private prefix.
#
#   wine-run.sh BUILD_DIR PROGRAM [ARGS...]          run PROGRAM, exit with its exit code
#   wine-run.sh BUILD_DIR --gtest PROGRAM [ARGS...]  run a GoogleTest PROGRAM; passes only when
#                                                    it wrote its report, ran at least one
#                                                    test and every test passed
#   wine-run.sh BUILD_DIR --start                    create the prefix and the display only
#   wine-run.sh BUILD_DIR --stop                     end the prefix's wineserver and our Xvfb
#   wine-run.sh BUILD_DIR --display                  print the private Xvfb's display while it
#                                                    runs, else nothing
#
# The build folder says which Wine runs its programs: a file BUILD_DIR/wine-arch holding
# win32 selects 32-bit Wine (wine32) and a 32-bit prefix; otherwise 64-bit Wine runs them.
# When DISPLAY is unset (CI, a plain ssh session) a private Xvfb is started once per
# build folder and shared by every program of that folder until --stop. Wine's own messages
# are off; WINE_RUN_WINEDEBUG gives Wine's WINEDEBUG channels instead (a test that reads
# Wine's trace of a program).
#
# Where this host cannot execute 32-bit x86 programs, an i686 build folder's programs run under
# wine32 in an emulated machine instead, with the same arguments and results (below).
#
# The runner's own exit code 77 means that this host cannot run the build folder's programs at
# all (below), and it then prints a line with "SKIPPED". A program that ends with 77 itself fails
# instead, so that no program's exit code can pass for a skip. CTest counts a test as skipped by
# that code (SKIP_RETURN_CODE 77); make test's summary also wants the line
# (scripts/test-summary.py).
set -eu

# Wine wants an absolute prefix path.
mkdir -p "$1"
build_dir=$(cd "$1" && pwd)
shift

arch=win64
if [ -s "$build_dir/wine-arch" ]; then
    arch=$(tr -dc a-z0-9 <"$build_dir/wine-arch")
fi

# Where this host cannot execute 32-bit x86 programs, the i686 build's programs run in an emulated
# machine (scripts/i686-machine/machine.sh): this runner, handed the same arguments, runs there,
# where the host's folders are at the same paths. --start boots the machine for the build folder
# and the folders below it, --stop powers it off again; any other command in a folder without a
# running machine gets a machine of its own for that command alone.
machine="$(cd "$(dirname "$0")/.." && pwd)/scripts/i686-machine/machine.sh"
if "$machine" needed "$build_dir"; then
    runner="$(cd "$(dirname "$0")" && pwd)/$(basename "$0")"
    status=0
    case "${1:-}" in
        --start)
            "$machine" start "$build_dir" || exit 1
            echo "wine-run.sh: win32 runs in an emulated machine: this host cannot execute 32-bit x86 programs"
            "$machine" exec "$build_dir" sh "$runner" "$build_dir" "$@" || status=$?
            ;;
        --stop)
            "$machine" exec --if-running "$build_dir" sh "$runner" "$build_dir" "$@" || status=$?
            "$machine" stop "$build_dir"
            ;;
        *)
            "$machine" exec "$build_dir" sh "$runner" "$build_dir" "$@" || status=$?
            ;;
    esac
    exit $status
fi

# In the emulated machine a folder's prefix, display and lock are kept on the machine's own disk,
# not on the host's folder it shares; each folder's prefix starts from the one made with the
# machine's image (an overlay over it), and one wineserver serves all of the folder's programs
# until --stop, where elsewhere each program may have to start one and Wine's own services again.
if [ -n "${TRINUMERO_IN_MACHINE:-}" ]; then
    state="/var/tmp/wine-run$build_dir"
    prefix_template=/var/lib/trinumero/wineprefix
else
    state=$build_dir
    prefix_template=
fi
mkdir -p "$state"

export WINEPREFIX="$state/wineprefix"
export WINEARCH="$arch"
export WINEDEBUG="${WINE_RUN_WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ -n "${TRINUMERO_IN_MACHINE:-}" ]; then
    # A crashing program would wait minutes of emulated time for Wine's debugger: it ends at once.
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winedbg.exe=d"
fi
# A fixed Western locale: Wine's ANSI code page is then 1252 (en-US), so nothing in the
# program can depend on the Russian code page being the system's by accident. C.UTF-8 is on
# every Debian system (en_US.UTF-8 is not unless generated), and its UTF-8 lets Wine name
# Unix files in any script.
export LANG=C.UTF-8
unset LC_ALL LC_CTYPE LC_MESSAGES LANGUAGE

fail() {
    echo "wine-run.sh: $*" >&2
    exit 1
}

case "$arch" in
    win64) WINE=/usr/lib/wine/wine64 ;;
    win32) WINE=/usr/lib/wine/wine ;;
    *) fail "unknown architecture '$arch' in $build_dir/wine-arch" ;;
esac
[ -x "$WINE" ] || fail "$WINE is missing: install Wine for $arch (scripts/install-deps.sh does)"
WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver)

# A host that cannot execute 32-bit x86 programs at all (a kernel without IA32 emulation, or a
# sandbox such as gVisor) runs them in the emulated machine (above). Should wine32's own loader
# still be answered with 126 here, where a 32-bit program did run (scripts/host-runs-i386.sh),
# the build folder's programs cannot run: every test of it ends with exit code 77, skipped, never
# passed. Any other failure of wine32 fails the test.
if [ "$arch" = win32 ] && [ "${1:-}" != "--stop" ]; then
    status=0
    "$WINE" --version >/dev/null 2>&1 || status=$?
    if [ $status -eq 126 ]; then
        echo "wine-run.sh: SKIPPED: this host cannot execute 32-bit x86 programs (wine32 exits with 126)" >&2
        exit 77
    fi
    [ $status -eq 0 ] || fail "wine32 does not start (exit code $status from $WINE --version)"
fi

xvfb_pid_file="$state/xvfb.pid"
xvfb_display_file="$state/xvfb.display"

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

# Fonts, checked on every start, so that a prefix made without them gets them too.
# - Wine's own fonts (Debian's fonts-wine: Marlett for the caption buttons, Tahoma, ...)
#   are not copied into a new prefix by this Wine; they are linked into its Fonts folder.
# - Wine maps the dialog font "MS Shell Dlg" to Tahoma. Once Wine's Tahoma is in the prefix
#   it draws the window's texts wider, and the binary field's header line loses its last
#   byte number. Liberation Sans has Arial's widths, the closest free match, and every text
#   fits. (Without Wine's fonts in the prefix Tahoma is missing and this Wine takes Liberation
#   Sans by itself; only the caption buttons then lose their symbols.)
wine_fonts=/usr/share/wine/fonts
font_key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
ensure_fonts() {
    prefix_fonts="$WINEPREFIX/drive_c/windows/Fonts"
    if [ -d "$wine_fonts" ] && [ -d "$prefix_fonts" ] && [ ! -e "$prefix_fonts/marlett.ttf" ]; then
        for font in "$wine_fonts"/*; do
            ln -sf "$font" "$prefix_fonts/"
        done
    fi
    if ! grep -q '^"MS Shell Dlg"="Liberation Sans"' "$WINEPREFIX/system.reg" 2>/dev/null; then
        "$WINE" reg add "$font_key" /v "MS Shell Dlg" /d "Liberation Sans" /f \
            9>&- </dev/null >/dev/null 2>&1 || true
        # Writes the registry back to the prefix before anything else starts.
        "$WINESERVER" -w 9>&- 2>/dev/null || true
    fi
}

case "${1:-}" in
    --stop)
        stop_all
        exit 0
        ;;
    --display)
        if xvfb_running; then
            echo ":$(tr -dc 0-9 <"$xvfb_display_file")"
        fi
        exit 0
        ;;
esac

# Display and prefix are set up under a lock: CTest may start several programs at once.
# Whatever is started inside must not inherit the lock (fd 9), or it would hold it forever.
(
    flock 9
    if [ -z "${DISPLAY:-}" ]; then
        start_xvfb
        DISPLAY=":$(tr -dc 0-9 <"$xvfb_display_file")"
        export DISPLAY
        private_display=1
    else
        private_display=
    fi
    if [ -n "$prefix_template" ] && [ -d "$prefix_template" ] && ! mountpoint -q "$WINEPREFIX"; then
        mkdir -p "$WINEPREFIX" "$state/prefix-changes" "$state/prefix-work"
        mount -t overlay overlay -o \
            "lowerdir=$prefix_template,upperdir=$state/prefix-changes,workdir=$state/prefix-work" \
            "$WINEPREFIX" || fail "the prefix $WINEPREFIX could not be made from $prefix_template"
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        "$WINE" wineboot --init 9>&- </dev/null >/dev/null 2>&1 || true
        if [ -n "$private_display" ]; then
            # No window manager runs on the private display: Wine then draws the window
            # frames itself (screenshots show the caption) and does not wait 2 s for a
            # manager whenever a window is hidden or destroyed.
            "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
                9>&- </dev/null >/dev/null 2>&1 || true
        fi
        "$WINESERVER" -w 9>&- 2>/dev/null || true
        [ -f "$WINEPREFIX/system.reg" ] || fail "Wine could not create the prefix $WINEPREFIX"
    fi
    ensure_fonts
    if [ -n "${TRINUMERO_IN_MACHINE:-}" ]; then
        # Starts the folder's wineserver to stay until --stop; where it runs already, this one
        # ends at once.
        "$WINESERVER" -p 9>&- </dev/null >/dev/null 2>&1 || true
    fi
) 9>"$state/wine-run.lock"

if [ -z "${DISPLAY:-}" ]; then
    DISPLAY=":$(tr -dc 0-9 <"$xvfb_display_file")"
    export DISPLAY
fi

case "${1:-}" in
    --start)
        exit 0
        ;;
    --gtest)
        shift
        [ $# -ge 1 ] || fail "--gtest needs a program"
        program=$1
        shift
        # Wine's exit code alone proves nothing: a program that cannot load (a broken file,
        # the wrong architecture) may still end with 0. The report proves that it ran.
        reports="$build_dir/test-reports"
        mkdir -p "$reports"
        report="$reports/$(basename "$program" .exe).xml"
        rm -f "$report"
        status=0
        "$WINE" "$program" "--gtest_output=xml:Z:$(echo "$report" | tr / '\\')" "$@" \
            </dev/null || status=$?
        if [ ! -s "$report" ]; then
            fail "$program did not run: no test report (Wine's exit code was $status)"
        fi
        tests=$(sed -n 's/.*<testsuites tests="\([0-9]*\)".*/\1/p' "$report" | head -n 1)
        if [ -z "$tests" ] || [ "$tests" -eq 0 ]; then
            fail "$program ran no test"
        fi
        if [ $status -ne 0 ] || ! grep -q '<testsuites [^>]*failures="0"' "$report"; then
            fail "$program failed (exit code $status); report in $report"
        fi
        exit 0
        ;;
esac

status=0
"$WINE" "$@" </dev/null || status=$?
[ $status -ne 77 ] || fail "$1 ended with exit code 77, which only the runner gives (for a skip)"
exit $status
