#!/usr/bin/env bash
# Builds the benchmarks in build-bench (Release, no sanitizers) and runs them:
#  1. quindral_bench: the scan, the snapshot files and the comparison, each against its
#     floor measured in the same run (find, cat, the bare walks), as ratios;
#  2. the program from its start to its window shown on Xvfb, with its peak memory,
#     against the toolkit alone showing a bare window, on a drive C of 4998 entries:
#     a later start (a snapshot file exists) and a first start (it is made first).
# Arguments go to quindral_bench (for example --benchmark_filter=scan).
# QUINDRAL_BENCH_WINDOW_RUNS sets the number of starts of each kind (default 5);
# QUINDRAL_BENCH_SKIP=1 leaves out quindral_bench and measures the starts alone.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUINDRAL_BENCH=ON \
    -DQUINDRAL_TESTS=OFF -DQUINDRAL_SANITIZE=OFF -DQUINDRAL_WERROR=OFF >/dev/null
cmake --build build-bench --target quindral_bench quindral quindral_bench_window

[ "${QUINDRAL_BENCH_SKIP:-}" = 1 ] || build-bench/bench/quindral_bench "$@"

runs=${QUINDRAL_BENCH_WINDOW_RUNS:-5}
tmp=$(mktemp -d /tmp/quindral-bench-window-XXXXXX)
xvfb=
cleanup() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

# Drive C: 2000 entries in the Windows folder and 2998 in its System folder, "." and
# ".." included.
c=$tmp/drive_c
mkdir -p "$tmp/prefix/dosdevices" "$c/Windows/System"
ln -s "$c" "$tmp/prefix/dosdevices/c:"
(cd "$c/Windows" && touch Module{0001..1997}.dll)
(cd "$c/Windows/System" && touch Kernel32.dll Sys{0001..2995}.dll)
export WINEPREFIX=$tmp/prefix

# A display of its own, away from the low numbers that desktops and other scripts take;
# the next number is tried where one is taken.
n=150
start_xvfb() {
    while :; do
        while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
        # -noreset: no reset when a program ends, which refuses connections for a moment.
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >"$tmp/xvfb.log" 2>&1 &
        xvfb=$!
        for _ in $(seq 100); do
            DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && break 2
            kill -0 "$xvfb" 2>/dev/null || break
            sleep 0.1
        done
        kill "$xvfb" 2>/dev/null || true
        n=$((n + 1))
    done
    export DISPLAY=":$n" QT_QPA_PLATFORM=xcb
}
start_xvfb

# One start: appends to the file `record` the milliseconds from the start to the window
# shown (polled every few milliseconds) and the peak resident memory in kilobytes, then
# ends the program. Fails when the window does not appear.
start_once() {
    local record=$1 title=$2
    shift 2
    local t0 t1 timer
    t0=$(date +%s%N)
    /usr/bin/time -f %M -o "$tmp/mem" "$@" >"$tmp/out" 2>&1 &
    timer=$!
    until xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; do
        if ! kill -0 "$timer" 2>/dev/null || (($(date +%s%N) - t0 > 30000000000)); then
            echo "The window $title did not appear on $DISPLAY:" >&2
            cat "$tmp/out" >&2 || true
            pkill -TERM -P "$timer" || true
            wait "$timer" || true
            return 1
        fi
    done
    t1=$(date +%s%N)
    pkill -TERM -P "$timer" || true
    wait "$timer" || true
    echo "$(((t1 - t0) / 1000000)) $(tail -n 1 "$tmp/mem")" >>"$record"
}

# A start that failed because the display went away is made again on a new one.
start() {
    for _ in 1 2 3; do
        start_once "$@" && return 0
        kill -0 "$xvfb" 2>/dev/null && exit 1
        echo "Xvfb went away; starting it again." >&2
        start_xvfb
    done
    exit 1
}

median() { sort -n | sed -n "$(((runs + 1) / 2))p"; }

# Rounds of the three kinds of start, one after the other, so that a busy moment of the
# machine falls on all three alike; one round first to warm the caches, not counted.
for round in $(seq 0 "$runs"); do
    [ "$round" -gt 0 ] || suffix=.warm
    start "$tmp/floor$suffix" QuindralFloor build-bench/bench/quindral_bench_window
    start "$tmp/later$suffix" Quindral build-bench/quindral
    rm -rf "$c/Kavru"
    start "$tmp/first$suffix" Quindral build-bench/quindral
    suffix=
done
medians() { echo "$(cut -d' ' -f1 "$1" | median) $(cut -d' ' -f2 "$1" | median)"; }
read -r floor_ms floor_kb < <(medians "$tmp/floor")
read -r later_ms later_kb < <(medians "$tmp/later")
read -r first_ms first_kb < <(medians "$tmp/first")

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo
echo "start to window shown on Xvfb, median of $runs starts, 4998 entries"
printf '%-34s %10s %8s %14s %8s\n' "figure" "time (ms)" "ratio" "peak RSS (MB)" "ratio"
row() {
    printf '%-34s %10d %8s %14.1f %8s\n' "$1" "$2" "$(ratio "$2" "$floor_ms")" \
        "$(awk -v k="$3" 'BEGIN { print k / 1024 }')" "$(ratio "$3" "$floor_kb")"
}
row "bare toolkit window (floor)" "$floor_ms" "$floor_kb"
row "quindral, snapshot file exists" "$later_ms" "$later_kb"
row "quindral, first start" "$first_ms" "$first_kb"
