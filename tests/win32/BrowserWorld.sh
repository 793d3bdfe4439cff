#!/bin/bash
# Runs a browser test program in a Wine prefix whose drives it arranges
# first: a: a removable drive whose link points nowhere (no medium), d: a
# fixed drive on an empty folder (no volume label).  The drive types are
# Wine's own setting, HKLM\Software\Wine\Drives.
#
#   BrowserWorld.sh WINE-RUN PROGRAM.exe [ARGS...]
set -euo pipefail
wine_run=$1
shift
: "${DRIM_WINE_ROOT:?}"
mkdir -p "$DRIM_WINE_ROOT"
prefix=$(mktemp -d "$DRIM_WINE_ROOT/browser.XXXXXX")
trap 'rm -rf "$prefix"' EXIT

# The first run copies the template into the prefix (booting it first when
# this is the tree's first Wine run) and leaves it stopped.
DRIM_RUN_DIR=$prefix "$wine_run" cmd /c exit >/dev/null 2>&1

ln -sfn /nonexistent-medium "$prefix/dosdevices/a:"
mkdir -p "$prefix/drive_d"
ln -sfn ../drive_d "$prefix/dosdevices/d:"
cat >>"$prefix/system.reg" <<'REG'

[Software\\Wine\\Drives] 1700000000
"a:"="floppy"
"d:"="hd"
REG

DRIM_RUN_DIR=$prefix "$wine_run" "$@"
