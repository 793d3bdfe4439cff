#!/bin/bash
# Refreshes the README's pictures in docs/screenshots/: runs the Wine
# scenarios that take them (in build/win32, or the tree named by
# DRIM_SCREENSHOTS_TREE; only those test programs are built) and converts
# the chosen ones to PNG without time stamps, so that unchanged pictures
# keep their bytes.
set -euo pipefail
cd "$(dirname "$0")/.."

tree=${DRIM_SCREENSHOTS_TREE:-build/win32}
tests=(e2e_Package_test e2e_HelpViewer_test e2e_KeepAwakeOn_test win32_BrowserWorld)
# ctest entries that run one case of a program above in a prefix of its own
cases=(e2e_KeepAwakeOn_AWatchedProgram)
# picture taken by a test = name in docs/screenshots
pictures=(
    Tray_ShortMenu=tray-short-menu
    Tray_FullMenu=tray-full-menu
    Tray_TimerMenu=tray-timer-menu
    Tray_WatchMenu=tray-watch-menu
    Package_Setup=setup-window
    Package_UninstallQuestion=message-box
    Browser_WindowsSystem=folder-browser
    help-viewer=help-viewer
)

scripts/setup.sh
DRIM_TARGETS="${tests[*]}" scripts/build.sh win32 "$tree"
for picture in "${pictures[@]}"; do
    rm -f "$tree/artifacts/${picture%%=*}.bmp"
done
pattern=$(IFS='|'; echo "^(${tests[*]}|${cases[*]})\$")
ctest --test-dir "$tree" -R "$pattern" -j3 --output-on-failure --timeout 900

mkdir -p docs/screenshots
for picture in "${pictures[@]}"; do
    convert "$tree/artifacts/${picture%%=*}.bmp" -strip "docs/screenshots/${picture#*=}.png"
done
echo "screenshots: docs/screenshots/"
