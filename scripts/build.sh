#!/bin/bash
# Configures and builds one tree: "native" (pure logic and its tests, with
# sanitizers) or "win32" (DRIM32.EXE and the tests that run under Wine).
set -euo pipefail
cd "$(dirname "$0")/.."

case "${1:-}" in
native)
    cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake --build build/native
    ;;
win32)
    cmake -S . -B build/win32 -G Ninja -DCMAKE_BUILD_TYPE=Release --no-warn-unused-cli \
        -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw32.cmake >/dev/null
    cmake --build build/win32
    ;;
*)
    echo "usage: $0 native|win32" >&2
    exit 2
    ;;
esac
