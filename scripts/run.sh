#!/bin/bash
# Sets up what is missing, builds the program and its documents (not the
# tests) into the package folder build/package/DRIM32/ and runs DRIM32.EXE
# from there under Wine, in a 1024x768 virtual desktop with a taskbar and
# task tray.  Running from the package folder is what lets the setup
# window's "設定" find the three files it installs.  The Wine prefix is kept
# in build/run-prefix, so an installation made there is still there at the
# next run (DRIM_RUN_PREFIX names another folder under the checkout).
# Arguments are passed on to the program.
#
# With DRIM_RECORD_INSTALLED=1 the installed version is recorded in that
# prefix first, so the program starts as the tray program.
#
# With $DISPLAY set the desktop opens there and the program runs until it
# ends.  Without a display it runs on a private Xvfb: once the program's
# window is there (the setup window, or the tray program's hidden window)
# a screenshot of the desktop is written to build/screenshot.png, and the
# program is stopped $DRIM_RUN_SECONDS seconds later (default 5).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/package.sh

export DRIM_WINE_ROOT=$PWD/${DRIM_PACKAGE_TREE:-build/win32}/wine
export DRIM_RUN_DIR=$PWD/${DRIM_RUN_PREFIX:-build/run-prefix}
exe=$PWD/build/package/DRIM32/DRIM32.EXE

# A first run on a machine boots the Wine template first, which takes long.
window_seconds=300
# Between a window's appearing and its first paint.
paint_seconds=1
setup_caption='インスツール$'
tray_caption='^ｽｸﾘｰﾝ･ｾｰﾊﾞｰ＆省電力ＯＦＦツール$'

record_installed() {
    scripts/wine-run reg add 'HKCU\Software\PALUN RUZI32\DRIM32' /v Version /d 14 /f >/dev/null 2>&1
}

if [ -n "${DISPLAY:-}" ]; then
    [ -n "${DRIM_RECORD_INSTALLED:-}" ] && record_installed
    exec scripts/wine-run "$exe" "$@"
fi

fd_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 </dev/null &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null; rm -f "$fd_file"' EXIT
for _ in $(seq 100); do [ -s "$fd_file" ] && break; sleep 0.1; done
export DISPLAY=":$(tr -d '\n' <"$fd_file")"
[ -n "${DRIM_RECORD_INSTALLED:-}" ] && record_installed

scripts/wine-run "$exe" "$@" &
run_pid=$!

# Wine gives each top-level window an X window named by its caption; the
# tray program's window is never shown, so it is looked for hidden too.
program_window() {
    xdotool search --onlyvisible --name "$setup_caption" >/dev/null 2>&1 \
        || xdotool search --name "$tray_caption" >/dev/null 2>&1
}
found=
for _ in $(seq $((window_seconds * 10))); do
    if program_window; then
        found=1
        break
    fi
    kill -0 $run_pid 2>/dev/null || break
    sleep 0.1
done
if [ -n "$found" ]; then
    sleep $paint_seconds
    import -display "$DISPLAY" -window root build/screenshot.png
    echo "run: screenshot of the program's window in build/screenshot.png"
    sleep "${DRIM_RUN_SECONDS:-5}"
else
    echo "run: the program showed no window" >&2
fi
if kill -0 $run_pid 2>/dev/null; then
    WINEPREFIX=$DRIM_RUN_DIR wineserver -k >/dev/null 2>&1 || true
fi
wait $run_pid || true
[ -n "$found" ]
