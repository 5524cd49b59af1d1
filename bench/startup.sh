#!/usr/bin/env bash
# Time from process start to the main window shown, against a bare QMainWindow with a menu bar and
# as many widgets, both on the offscreen platform. Runs the two programs alternately RUNS times
# (default 21) and prints the median wall time of each and their ratio.
# Usage: bench/startup.sh [RUNS]   (BUILD_DIR defaults to build/)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
runs="${1:-21}"
cmake --build "$build" --target bench_startup_main_form bench_startup_bare_window >/dev/null
export QT_QPA_PLATFORM=offscreen
main_form="$build/bench/bench_startup_main_form"
bare="$build/bench/bench_startup_bare_window"

# One warm-up run each, so that both start from the same file cache.
"$main_form" 2>/dev/null; "$bare" 2>/dev/null

elapsed_ms() {
    local start end
    start=$EPOCHREALTIME
    "$1" 2>/dev/null
    end=$EPOCHREALTIME
    awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f\n", (e - s) * 1000 }'
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

main_times=()
bare_times=()
for ((i = 0; i < runs; i++)); do
    main_times+=("$(elapsed_ms "$main_form")")
    bare_times+=("$(elapsed_ms "$bare")")
done
main_median=$(printf '%s\n' "${main_times[@]}" | median)
bare_median=$(printf '%s\n' "${bare_times[@]}" | median)
printf 'runs: %d each, QT_QPA_PLATFORM=offscreen\n' "$runs"
printf 'main window (MainForm): median %.1f ms\n' "$main_median"
printf 'bare QMainWindow:       median %.1f ms\n' "$bare_median"
awk -v m="$main_median" -v b="$bare_median" 'BEGIN { printf "ratio: %.2f\n", m / b }'
