#!/bin/bash
# Sets up what is missing, builds DRIM32.EXE and runs it under Wine, in a
# 1024x768 virtual desktop with a taskbar and task tray.  The Wine prefix is
# kept in build/run-prefix, so an installation made there is still there at
# the next run.  Arguments are passed on to the program.
#
# With DRIM_RECORD_INSTALLED=1 the installed version is recorded in that
# prefix first, so the program starts as the tray program.
#
# With $DISPLAY set the desktop opens there and the program runs until it
# ends.  Without a display it runs on a private Xvfb for $DRIM_RUN_SECONDS
# seconds (default 20); a screenshot is written to build/screenshot.png.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
scripts/build.sh win32

export DRIM_WINE_ROOT=$PWD/build/win32/wine
export DRIM_RUN_DIR=$PWD/build/run-prefix
exe=$PWD/build/win32/DRIM32.EXE

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
seconds=${DRIM_RUN_SECONDS:-20}
sleep $((seconds < 8 ? seconds : 8))
import -display "$DISPLAY" -window root build/screenshot.png
echo "run: screenshot of the desktop in build/screenshot.png"
sleep $((seconds > 8 ? seconds - 8 : 0))
if kill -0 $run_pid 2>/dev/null; then
    WINEPREFIX=$DRIM_RUN_DIR wineserver -k >/dev/null 2>&1 || true
fi
wait $run_pid || true
