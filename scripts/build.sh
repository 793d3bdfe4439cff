#!/bin/bash
# Configures and builds one tree: "native" (pure logic and its tests, with
# sanitizers), "win32" (DRIM32.EXE and the tests that run under Wine) or
# "fuzz" (the libFuzzer targets of the pure logic, built with clang).
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
fuzz)
    CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DDRIM_FUZZ=ON >/dev/null
    cmake --build build/fuzz
    ;;
*)
    echo "usage: $0 native|win32|fuzz" >&2
    exit 2
    ;;
esac
