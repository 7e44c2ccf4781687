#!/usr/bin/env bash
# Runs every benchmark of Quillon and prints the figures the README records:
#
#   tools/bench.sh [RUNS] [BUILD_FOLDER]
#
#   1. Recalculate of each geometry window's full case, model only, and with painting into a
#      640 x 360 image; the key case of each keyboard window (the calculator), model only and
#      with the window painted (Google Benchmark, median of 5 repetitions);
#   2. start-up: Quillon from exec until the launcher is shown and the event loop is idle,
#      against bench/bare_qt (one Qt Widgets window with a Japanese label), in turn A B A B ..., RUNS pairs (default
#      15) after one warm-up pair: medians and the median of the pairwise ratios;
#   3. memory: peak resident memory with the launcher and every built window open, against the
#      bare program (the same kind of runs);
#   4. idle: processor time used in 10 s with every window open and idle;
#   5. stopwatch: processor time used in 10 s by the launcher with the stopwatch running (its
#      50 ms redraw) and with it stopped.
#
# Everything runs on the offscreen platform. The build folder (default build/bench) is
# configured as a Release build with the benchmarks and built when it does not exist yet.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
build=${2:-build/bench}

if [ ! -f "$build/build.ninja" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLON_BENCH=ON \
        -DQUILLON_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target quillon_bench quillon_paint_bench Quillon bare_qt >/dev/null

quillon=$build/src/qt/Quillon
bare=$build/bench/bare_qt

export QT_QPA_PLATFORM=offscreen LC_ALL=C
# A runtime folder of our own: a Quillon the user has open would otherwise make every measured
# copy end at once as a second instance.
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT

echo "machine: $(nproc) processors, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"

echo
echo "== Recalculate (median of 5 repetitions)"
"$build/bench/quillon_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_min_time=0.5 2>/dev/null | grep -E '_median|^Benchmark|^---'
"$build/bench/quillon_paint_bench" --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true --benchmark_min_time=0.5 2>/dev/null |
    grep -E '_median'

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One run of a program with the idle probe on; prints "wall_ms cpu_ms maxrss_kb idle_cpu_ms".
run_once() {
    local start end line
    start=$EPOCHREALTIME
    line=$(env QUILLON_EXIT_WHEN_IDLE=1 "$@" 2>&1 >/dev/null | grep '^idle:' || true)
    end=$EPOCHREALTIME
    if [ -z "$line" ]; then
        echo "bench.sh: $* ended without reaching idle" >&2
        exit 1
    fi
    local cpu rss idle
    cpu=$(sed -n 's/.*cpu_ms=\([0-9.]*\).*/\1/p' <<<"$line")
    rss=$(sed -n 's/.*maxrss_kb=\([0-9]*\).*/\1/p' <<<"$line")
    idle=$(sed -n 's/.*idle_cpu_ms=\([0-9.]*\).*/\1/p' <<<"$line")
    awk -v s="${start/./}" -v e="${end/./}" -v c="$cpu" -v r="$rss" -v i="${idle:--}" \
        'BEGIN { printf "%.1f %s %s %s\n", (e - s) / 1000, c, r, i }'
}

# Runs A and B in turn, one warm-up pair and then $runs pairs; prints the medians of wall time,
# processor time and peak memory of each, and the medians of the pairwise ratios A/B.
compare() {
    local label=$1 a=$2 b=$3 dir
    dir=$(mktemp -d)
    run_once $a >/dev/null
    run_once $b >/dev/null
    for _ in $(seq "$runs"); do
        run_once $a >>"$dir/a"
        run_once $b >>"$dir/b"
    done
    paste "$dir/a" "$dir/b" | awk '{ print $1 / $5, $2 / $6, $3 / $7 }' >"$dir/ratio"
    echo
    echo "== $label ($runs pairs, medians)"
    printf '%-10s %10s %10s %12s\n' "" "wall ms" "cpu ms" "peak kB"
    for side in a b ratio; do
        local name=Quillon format=s
        [ "$side" = b ] && name=bare
        [ "$side" = ratio ] && name="ratio A/B" && format=.2f
        printf "%-10s %10${format} %10${format} %12${format}\n" "$name" \
            "$(cut -d' ' -f1 "$dir/$side" | median)" \
            "$(cut -d' ' -f2 "$dir/$side" | median)" \
            "$(cut -d' ' -f3 "$dir/$side" | median)"
    done
    echo "$label: ratio Quillon/bare, wall time, median of pairwise ratios:" \
        "$(cut -d' ' -f1 "$dir/ratio" | median | awk '{ printf "%.2f", $1 }')"
    rm -rf "$dir"
}

compare "start-up: launcher shown and idle" "$quillon" "$bare"
compare "memory: launcher and every built window open" "env QUILLON_OPEN_ALL=1 $quillon" "$bare"

echo
echo "== idle: every built window open, 10 s"
QUILLON_OPEN_ALL=1 QUILLON_IDLE_SECONDS=10 "$quillon" 2>&1 >/dev/null | grep '^idle:' |
    sed 's/^idle: /Quillon  /'
QUILLON_IDLE_SECONDS=10 "$bare" 2>&1 >/dev/null | grep '^idle:' | sed 's/^idle: /bare     /'

echo
echo "== stopwatch: the launcher with the stopwatch running, then stopped, 10 s each"
for watch in running stopped; do
    QUILLON_STOPWATCH=$watch QUILLON_IDLE_SECONDS=10 "$quillon" 2>&1 >/dev/null | grep '^idle:' |
        sed "s/^idle: /$watch  /"
done
