#!/bin/bash
# Builds the fuzz tree and runs each fuzz target for the given number of
# seconds (default 300), one after the other.  The inputs a target finds
# collect in build/fuzz/corpus/<target>/ and carry over to the next run; an
# input that breaks a property or trips a sanitizer is written to
# build/fuzz/crashes/<target>/ and the target's output to
# build/fuzz/logs/<target>.log.  Needs clang (scripts/setup.sh installs it).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-300}

scripts/build.sh fuzz

status=0
for source in tests/fuzz/*_fuzz.cpp; do
    target=$(basename "$source" .cpp)
    mkdir -p "build/fuzz/corpus/$target" "build/fuzz/crashes/$target" build/fuzz/logs
    # The committed seeds come second: libFuzzer writes only into the first
    # folder.
    if build/fuzz/tests/fuzz/"$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="build/fuzz/crashes/$target/" \
        "build/fuzz/corpus/$target" "tests/fuzz/corpus/$target" >"build/fuzz/logs/$target.log" 2>&1; then
        echo "fuzz: $target: ok ($(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' \
            "build/fuzz/logs/$target.log" | grep -o '[0-9]*$') runs)"
    else
        echo "fuzz: $target: FAILED, see build/fuzz/logs/$target.log and build/fuzz/crashes/$target/" >&2
        status=1
    fi
done
exit $status
