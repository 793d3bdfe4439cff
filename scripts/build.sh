#!/bin/bash
# Configures and builds one tree: "native" (pure logic and its tests, with
# sanitizers), "win32" (DRIM32.EXE and the tests that run under Wine) or
# "fuzz" (the libFuzzer targets of the pure logic, built with clang).
# An optional second argument names the tree's folder (default build/KIND),
# so that several trees of one kind can live side by side.  DRIM_TARGETS
# (blank-separated) builds only those targets, for instance "DRIM32".
set -euo pipefail
cd "$(dirname "$0")/.."
tree=${2:-build/${1:-}}

case "${1:-}" in
native)
    cmake -S . -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake --build "$tree"
    ;;
win32)
    cmake -S . -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release --no-warn-unused-cli \
        -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw32.cmake >/dev/null
    cmake --build "$tree" ${DRIM_TARGETS:+--target $DRIM_TARGETS}
    ;;
fuzz)
    CC=clang CXX=clang++ cmake -S . -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DDRIM_FUZZ=ON >/dev/null
    cmake --build "$tree"
    ;;
*)
    echo "usage: $0 native|win32|fuzz [FOLDER]" >&2
    exit 2
    ;;
esac
