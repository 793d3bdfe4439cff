#!/bin/bash
# Measures DRIM32.EXE against a floor built in the same tree with the same
# flags, each program under the same Wine harness: a minimal tray program
# (one hidden window, one tray icon, a message loop), a minimal program that
# starts and ends, and one that finds the tray window, sends it one message
# and ends.  Every figure is taken DRIM_BENCH_RUNS times (default 5), the
# starts and forwarded starts DRIM_BENCH_TURNS times (default 5) in each of
# those runs, and printed as median, spread (lowest-highest) and ratio to
# the floor.  The table is also written to TREE/bench-results.md.  Figures
# only: nothing is judged.  An optional argument names the Windows tree
# (default build/win32).
set -euo pipefail
cd "$(dirname "$0")/.."
tree=${1:-build/win32}

scripts/setup.sh
scripts/build.sh win32 "$tree" >/dev/null

export DRIM_WINE_ROOT=$PWD/$tree/wine
runs=${DRIM_BENCH_RUNS:-5}
idle_seconds=${DRIM_BENCH_IDLE_SECONDS:-120}
turns=${DRIM_BENCH_TURNS:-5}
exe=$PWD/$tree/DRIM32.EXE
bench=$PWD/$tree/bench
work=$PWD/$tree/bench-work
rm -rf "$work"
mkdir -p "$work"

# Prints "median low high" of the numbers on standard input.
stats() {
    sort -n | awk '{ v[NR] = $1 }
        END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
              printf "%.1f %.1f %.1f", m, v[1], v[NR] }'
}

# Value of "name value" in a probe's output file.
figure() {
    awk -v name="$1" '$1 == name { print $2 }' "$2"
}

# The resident set (kB) of the Wine process running $1 in prefix $2.
wine_rss() {
    local pid
    for pid in $(pgrep -f "$1" || true); do
        if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$2"; then
            awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status"
            return
        fi
    done
    echo 0
}

probe() { # run-name probe-arguments...
    local name=$1
    shift
    DRIM_RUN_DIR=$work/$name "$PWD/scripts/wine-run" "$bench/BenchProbe.exe" "$@" >"$work/$name.out" 2>/dev/null
    rm -rf "${work:?}/$name"
}

echo "bench: memory"
for i in $(seq "$runs"); do
    for program in DRIM32 MinimalTray; do
        target=$exe
        [ $program = MinimalTray ] && target=$bench/MinimalTray.exe
        prefix=$work/mem-$program-$i
        DRIM_BENCH_HOLD_MS=5000 DRIM_RUN_DIR=$prefix "$PWD/scripts/wine-run" "$bench/BenchProbe.exe" \
            memory 8000 "$target" >/dev/null 2>&1 &
        pid=$!
        for _ in $(seq 300); do
            grep -q working_set_kb "$prefix/run.stdout" 2>/dev/null && break
            sleep 0.1
        done
        cp "$prefix/run.stdout" "$work/mem-$program-$i.out" 2>/dev/null || true
        echo "wine_rss_kb $(wine_rss "$program\.(EXE|exe)" "$prefix")" >>"$work/mem-$program-$i.out"
        wait $pid || true
        rm -rf "$prefix"
    done
done

echo "bench: idle cost over $idle_seconds s (all runs side by side)"
pids=()
for i in $(seq "$runs"); do
    probe cpu-off-$i cpu "$idle_seconds" "$exe" &
    pids+=($!)
    probe cpu-on-$i cpu "$idle_seconds" "$exe" /on &
    pids+=($!)
    probe cpu-floor-$i cpu "$idle_seconds" "$bench/MinimalTray.exe" &
    pids+=($!)
done
for mode in off on; do
    DRIM_RUN_DIR=$work/timers-$mode "$PWD/scripts/wine-run" "$bench/TrayTimerCount.exe" "$idle_seconds" /$mode \
        >"$work/timers-$mode.out" 2>/dev/null &
    pids+=($!)
done
# SS_ON with a watch list reads the processes at every run of its timer; the
# name watched runs nowhere.
DRIM_RUN_DIR=$work/timers-watch "$PWD/scripts/wine-run" "$bench/TrayTimerCount.exe" "$idle_seconds" /on \
    watched.exe >"$work/timers-watch.out" 2>/dev/null &
pids+=($!)
wait "${pids[@]}" || true
rm -rf "$work"/timers-on "$work"/timers-off "$work"/timers-watch

echo "bench: start-up and forwarding"
for i in $(seq "$runs"); do
    # Each runs a second, past the program's start-up timers, before it is
    # ended.
    probe start-$i startup "$turns" 1000 "$exe" "$bench/MinimalTray.exe"
    # The second start, the find-and-send floor and the bare start and end
    # take turns beside one resident copy, so that all meet a session in
    # the same state.  The floors ignore the "/off".
    probe forward-$i forward "$exe" "$turns" /off "$exe" "$bench/MinimalForward.exe" \
        "$bench/MinimalStart.exe"
done

echo "bench: the browser listing a folder of 10,000 subfolders and 10,000 files"
DRIM_RUN_DIR=$work/listing "$PWD/scripts/wine-run" "$bench/ListingBench.exe" "$runs" >"$work/listing.out" 2>/dev/null || true
rm -rf "$work/listing"

row() { # label unit name file-glob floor-name floor-glob
    local values floor ratio
    values=$(for f in $work/$4; do figure "$3" "$f"; done | stats)
    if [ -n "$5" ]; then
        floor=$(for f in $work/$6; do figure "$5" "$f"; done | stats)
        ratio=$(awk -v a="${values%% *}" -v b="${floor%% *}" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }')
        set -- "$1" "$2" "$values" "$floor" "$ratio"
    else
        set -- "$1" "$2" "$values" "- - -" "-"
    fi
    read -r m lo hi <<<"$3"
    read -r fm flo fhi <<<"$4"
    printf '| %s | %s | %s | %s–%s | %s | %s–%s | %s |\n' "$1" "$2" "$m" "$lo" "$hi" "$fm" "$flo" "$fhi" "$5"
}

per_minute() { # mode file
    local count
    count=$(figure timer_messages "$work/$2")
    printf '| Timer messages per minute, %s | count | %s | | | | |\n' "$1" \
        "$(awk -v c="${count:-0}" -v s="$idle_seconds" 'BEGIN { printf "%.1f", c * 60 / s }')"
}

{
    echo "| Figure | Unit | DRIM32 median | spread | floor median | spread | ratio |"
    echo "|---|---|---|---|---|---|---|"
    row "Private bytes, SS_OFF settled" kB private_kb 'mem-DRIM32-*.out' private_kb 'mem-MinimalTray-*.out'
    row "Working set, SS_OFF settled" kB working_set_kb 'mem-DRIM32-*.out' working_set_kb 'mem-MinimalTray-*.out'
    row "Wine process resident set" kB wine_rss_kb 'mem-DRIM32-*.out' wine_rss_kb 'mem-MinimalTray-*.out'
    row "CPU over ${idle_seconds} s, SS_OFF" ms cpu_ms 'cpu-off-*.out' cpu_ms 'cpu-floor-*.out'
    row "CPU over ${idle_seconds} s, SS_ON" ms cpu_ms 'cpu-on-*.out' cpu_ms 'cpu-floor-*.out'
    per_minute "SS_OFF" timers-off.out
    per_minute "SS_ON" timers-on.out
    per_minute "SS_ON with a watch list" timers-watch.out
    row "Start until waiting with its icon" ms startup_ms_1 'start-*.out' startup_ms_2 'start-*.out'
    row "Second start \"/off\" against find and send" ms forward_ms_1 'forward-*.out' \
        forward_ms_2 'forward-*.out'
    row "Second start \"/off\" against start and end" ms forward_ms_1 'forward-*.out' \
        forward_ms_3 'forward-*.out'
    row "Browser ShowFolder, 10,000 folders and files (floor: FindFirstFileA and sort)" ms browser_ms \
        listing.out bare_ms listing.out
    size=$(stat -c %s "$exe")
    floor_size=$(stat -c %s "$bench/MinimalTray.exe")
    printf '| Executable size (stripped) | bytes | %s | | %s | | %s |\n' "$size" "$floor_size" \
        "$(awk -v a="$size" -v b="$floor_size" 'BEGIN { printf "%.2f", a / b }')"
    imports=$(i686-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ { print $3 }' | sort | paste -sd ' ')
    printf '| Imported DLLs | | %s | | | | |\n' "$imports"
} | tee "$tree/bench-results.md"
