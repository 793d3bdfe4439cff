#!/bin/bash
# Makes the distributable: the folder build/package/DRIM32/ and the archive
# build/package/DRIM32.zip, each holding exactly DRIM32.EXE, DRIM32.TXT,
# DRIM32.HLP and DRIM32.CHM.  Only the program, its documents and the package are built (in
# build/win32, or the tree named by DRIM_PACKAGE_TREE), not the tests; the
# tree packs them (cmake/Package.cmake) and this copies them out.  The files
# and the archive's entries carry the release date, so the same sources give
# the same bytes.
#
# usage: package.sh [--check]
#   --check  then copies the sources as they are now to
#            build/package-check/src and packages them twice there, in two
#            fresh trees, the second without the compiler cache, and
#            compares the two packages byte for byte.  The copy keeps the
#            check apart from edits made while it runs.
set -euo pipefail
cd "$(dirname "$0")/.."

files=(DRIM32.EXE DRIM32.TXT DRIM32.HLP DRIM32.CHM)

# package TREE OUTPUT: builds the tree's package and copies it, dates kept,
# to OUTPUT/DRIM32/ and OUTPUT/DRIM32.zip.
package() {
    local tree=$1 output=$2
    DRIM_TARGETS=drim_package scripts/build.sh win32 "$tree" >/dev/null
    rm -rf "$output/DRIM32" "$output/DRIM32.zip"
    mkdir -p "$output"
    cp -pR "$tree/package/DRIM32" "$tree/package/DRIM32.zip" "$output/"
}

scripts/setup.sh
out=${DRIM_PACKAGE_OUT:-build/package}
package "${DRIM_PACKAGE_TREE:-build/win32}" "$out"
echo "package: $out/DRIM32/ and $out/DRIM32.zip"

if [ "${1:-}" = --check ]; then
    src=build/package-check/src
    rm -rf build/package-check
    mkdir -p "$src"
    git ls-files --cached --others --exclude-standard -z | grep -z -v '^build/' | tar --null -T - -cf - | tar -xf - -C "$src"
    (cd "$src" && DRIM_PACKAGE_TREE=build/first DRIM_PACKAGE_OUT=build/first-package scripts/package.sh)
    (cd "$src" && CCACHE_DISABLE=1 DRIM_PACKAGE_TREE=build/second DRIM_PACKAGE_OUT=build/second-package scripts/package.sh)
    for file in "${files[@]/#/DRIM32/}" DRIM32.zip; do
        cmp "$src/build/first-package/$file" "$src/build/second-package/$file"
    done
    echo "package: two builds of the same sources gave the same bytes"
fi
