#!/bin/bash
# Runs an end-to-end test program in a Wine prefix with a small drive Q:, a
# tmpfs of 64 KB: less than the program file, so that a copy onto it runs out
# of room half-way, as on a full disk.  Mounting needs root (as in CI); where
# it is refused the drive is left out and the program skips its case.
#
#   SmallDrive.sh WINE-RUN PROGRAM.exe [ARGS...]
set -euo pipefail
wine_run=$1
shift
: "${DRIM_WINE_ROOT:?}"
mkdir -p "$DRIM_WINE_ROOT"
prefix=$(mktemp -d "$DRIM_WINE_ROOT/small-drive.XXXXXX")
drive=$prefix/drive_q
cleanup() {
    mountpoint -q "$drive" && umount "$drive"
    rm -rf "$prefix"
}
trap cleanup EXIT

# The first run copies the template into the prefix (booting it first when
# this is the tree's first Wine run) and leaves it stopped.
DRIM_RUN_DIR=$prefix "$wine_run" cmd /c exit >/dev/null 2>&1

mkdir -p "$drive"
if mount -t tmpfs -o size=64k tmpfs "$drive" 2>/dev/null; then
    ln -sfn ../drive_q "$prefix/dosdevices/q:"
else
    echo "SmallDrive: no tmpfs could be mounted here; the full drive is not tried"
fi

DRIM_RUN_DIR=$prefix "$wine_run" "$@"
