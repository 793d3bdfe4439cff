#!/bin/bash
# Runs an end-to-end test program in a Wine prefix with a small drive Q:, a
# tmpfs of 64 KB: less than the program file, so that a copy onto it runs out
# of room half-way, as on a full disk.  The Windows folder gets as little
# room: an overlay whose writable layer is such a tmpfs.  Mounting needs
# root (as in CI); where it is refused neither is arranged and the program
# skips its cases.
#
#   SmallDrive.sh WINE-RUN PROGRAM.exe [ARGS...]
set -euo pipefail
wine_run=$1
shift
: "${DRIM_WINE_ROOT:?}"
mkdir -p "$DRIM_WINE_ROOT"
prefix=$(mktemp -d "$DRIM_WINE_ROOT/small-drive.XXXXXX")
drive=$prefix/drive_q
windows=$prefix/drive_c/windows
room=$prefix/windows-room
cleanup() {
    mountpoint -q "$windows" && umount "$windows"
    mountpoint -q "$room" && umount "$room"
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
    mv "$windows" "$prefix/windows-lower"
    mkdir "$windows" "$room"
    mount -t tmpfs -o size=64k tmpfs "$room"
    mkdir "$room/upper" "$room/work"
    mount -t overlay overlay \
        -o "lowerdir=$prefix/windows-lower,upperdir=$room/upper,workdir=$room/work" "$windows"
else
    echo "SmallDrive: no tmpfs could be mounted here; the full drive is not tried"
fi

DRIM_RUN_DIR=$prefix "$wine_run" "$@"
