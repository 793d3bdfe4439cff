#!/bin/bash
# Runs an end-to-end test program as a standard user would meet Windows: as
# an ordinary Unix user (made here when the tests run as root, as in CI), in
# a prefix that user owns, whose Windows folder is read-only, so that a copy
# into it fails with "access denied".  Everything the user needs is copied
# to a folder of its own outside the build tree, which may lie where that
# user cannot read.
#
#   StandardUser.sh WINE-RUN PROGRAM.exe [ARGS...]
set -euo pipefail
wine_run=$1
program=$2
shift 2
: "${DRIM_WINE_ROOT:?}" "${DRIM32_EXE:?}"
user=drim-standard

# The first run copies the template into a scratch prefix (booting it
# first when this is the tree's first Wine run).
scratch=$(mktemp -d "$DRIM_WINE_ROOT/standard-user.XXXXXX")
world=$(mktemp -d /tmp/drim-standard-user.XXXXXX)
trap 'rm -rf "$scratch" "$world"' EXIT
DRIM_RUN_DIR=$scratch "$wine_run" cmd /c exit >/dev/null 2>&1

cp -a "$DRIM_WINE_ROOT/template" "$world/template"
# Debian's Wine names the server's folder under /tmp in this file; root's
# folder is closed to the user, who gets one of its own.
rm -f "$world/template/wineserver"
chmod a-w "$world/template/drive_c/windows"
mkdir "$world/bin"
cp "$wine_run" "$program" "$world/bin/"
for file in DRIM32.EXE DRIM32.TXT DRIM32.HLP DRIM32.CHM; do
    cp "$(dirname "$DRIM32_EXE")/$file" "$world/bin/"
done

run_as=()
if [ "$(id -u)" -eq 0 ]; then
    id -u "$user" >/dev/null 2>&1 ||
        useradd --system --user-group --no-create-home --shell /usr/sbin/nologin "$user"
    chown -R "$user:" "$world"
    chmod 755 "$world"
    run_as=(runuser -u "$user" --)
fi
cd "$world"
# Wine names the user's profile after USER: the standard user works in the
# profile the template was booted with, whose shell folders are set up.
"${run_as[@]}" env USER="$(id -un)" LOGNAME="$(id -un)" DRIM_WINE_ROOT="$world" DRIM_RUN_DIR="$world/template" \
    DRIM32_EXE="$world/bin/DRIM32.EXE" "$world/bin/$(basename "$wine_run")" "$world/bin/$(basename "$program")" "$@"
