#!/usr/bin/env bash
# Figures of the newer calculation types: each one's whole report, made through its own dialog
# at its largest inputs (exact limits at n = 10^9, the conditional odds ratio at counts of
# 10^6, ...), as the median processor time per report in milliseconds against the 5 ms aim.
# The build is a Release one of its own (build-bench/ by default).
#   tools/bench-methods.sh [REPETITIONS]    repetitions of each figure (9)
# BUILD_DIR names another build folder; CPU the core to run on (1).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
repetitions=${1:-9}
cpu=${CPU:-1}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZENTAVO_BUILD_GUI=OFF \
        -DZENTAVO_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target MethodsBench >/dev/null
export ZENTAVO_INI=${ZENTAVO_INI:-$root/resources/Zentavo.ini}
export LC_ALL=C
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

taskset -c "$cpu" "$build/benchmarks/MethodsBench" --benchmark_repetitions="$repetitions" \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null >"$work/bench.csv"
echo "median processor time per whole report, $repetitions repetitions, on CPU $cpu (aim: under 5 ms):"
awk -F, '$1 ~ /_median"?$/ {
    name = $1; gsub(/"/, "", name); sub(/_median$/, "", name)
    ms = $4
    if ($5 ~ /us/) ms = $4 / 1000; else if ($5 ~ /ns/) ms = $4 / 1e6; else if ($5 ~ /^"?s/) ms = $4 * 1000
    printf "  %-48s %8.3f ms%s\n", name, ms, ms < 5 ? "" : "  OVER THE AIM"
}' "$work/bench.csv"
