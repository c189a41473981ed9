#!/usr/bin/env bash
# Builds the benchmarks in build-bench (Release, no sanitizers) and runs them:
#  1. quindral_bench: the scan, the snapshot files and the comparison, each against its
#     floor measured in the same run (find, cat, the bare walks), as ratios;
#  2. the program from its start to its window shown on Xvfb, with its peak memory,
#     against the toolkit alone showing a bare window, on a drive C of 4998 entries:
#     a later start (a snapshot file exists) and a first start (it is made first).
# Arguments go to quindral_bench (for example --benchmark_filter=scan).
# QUINDRAL_BENCH_WINDOW_RUNS sets the number of starts of each kind (default 5).
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

# Xvfb picks a free display itself and writes its number once it takes connections.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 300); do [ -s "$tmp/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$tmp/display")" QT_QPA_PLATFORM=xcb

# One start: prints the milliseconds from the start to the window shown (polled every
# few milliseconds) and the peak resident memory in kilobytes, then ends the program.
start_once() {
    local title=$1
    shift
    local t0 t1 timer
    t0=$(date +%s%N)
    /usr/bin/time -f %M -o "$tmp/mem" "$@" >"$tmp/out" 2>&1 &
    timer=$!
    until xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; do
        if ! kill -0 "$timer" 2>/dev/null || (($(date +%s%N) - t0 > 30000000000)); then
            echo "The window $title did not appear:" >&2
            cat "$tmp/out" "$tmp/mem" >&2 || true
            exit 1
        fi
    done
    t1=$(date +%s%N)
    pkill -TERM -P "$timer" || true
    wait "$timer" || true
    echo "$(((t1 - t0) / 1000000)) $(tail -n 1 "$tmp/mem")"
}

median() { sort -n | sed -n "$(((runs + 1) / 2))p"; }

# Rounds of the three kinds of start, one after the other, so that a busy moment of the
# machine falls on all three alike; one round first to warm the caches, not counted.
: >"$tmp/floor" && : >"$tmp/later" && : >"$tmp/first"
for round in $(seq 0 "$runs"); do
    floor=$(start_once QuindralFloor build-bench/bench/quindral_bench_window)
    later=$(start_once Quindral build-bench/quindral)
    rm -rf "$c/Kavru"
    first=$(start_once Quindral build-bench/quindral)
    if ((round > 0)); then
        echo "$floor" >>"$tmp/floor"
        echo "$later" >>"$tmp/later"
        echo "$first" >>"$tmp/first"
    fi
done
read -r floor_ms floor_kb < <(echo "$(cut -d' ' -f1 "$tmp/floor" | median) $(cut -d' ' -f2 "$tmp/floor" | median)")
read -r later_ms later_kb < <(echo "$(cut -d' ' -f1 "$tmp/later" | median) $(cut -d' ' -f2 "$tmp/later" | median)")
read -r first_ms first_kb < <(echo "$(cut -d' ' -f1 "$tmp/first" | median) $(cut -d' ' -f2 "$tmp/first" | median)")

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
