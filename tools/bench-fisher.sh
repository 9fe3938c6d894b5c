#!/usr/bin/env bash
# Figures of Fisher's exact test: the test alone at a = b = c = d = n / 4 for n = 40 to
# 4,000,000 beside a tight loop over the same tables, and the per-calculation time of the whole
# unstratified report with the exact test at counts up to 1,000 (medians of repetitions, on one
# core); then, when `zentavo-cli run --batch` is there, the whole process of a scripted run of
# 10,000 such tables. The build is a Release one of its own (build-bench/ by default).
#   tools/bench-fisher.sh [REPETITIONS]    repetitions of each figure (15)
# BUILD_DIR names another build folder; CPU the core to run on (1).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
repetitions=${1:-15}
cpu=${CPU:-1}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZENTAVO_BUILD_GUI=OFF \
        -DZENTAVO_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target FisherBench zentavo-cli >/dev/null
export ZENTAVO_INI=${ZENTAVO_INI:-$root/resources/Zentavo.ini}
export LC_ALL=C
cli=$build/cli/zentavo-cli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

taskset -c "$cpu" "$build/benchmarks/FisherBench" --benchmark_repetitions="$repetitions" \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null >"$work/bench.csv"
# name,iterations,real_time,cpu_time,time_unit,...: the medians of the processor time per call
# in µs, which a busy machine disturbs less than the elapsed time.
echo "median processor time per call, $repetitions repetitions, on CPU $cpu:"
awk -F, '$1 ~ /_median"?$/ {
    name = $1; gsub(/"/, "", name); sub(/_median$/, "", name)
    split(name, part, "/")
    if (part[1] == "ReportWithExactTest")
        printf "  report with the exact test, counts 0..1000: %9.2f us per calculation\n", $4
    else
        printf "  %-10s a = b = c = d = n / 4, n = %-8s %9.2f us\n", part[1], part[2], $4
}' "$work/bench.csv"
awk -F, '$1 ~ /_median"?$/ { name = $1; gsub(/"/, "", name); t[name] = $4 }
END {
    exact = t["ExactTest/4000000_median"]; tight = t["TightLoop/4000000_median"]
    if (tight > 0)
        printf "  exact test / tight loop at n = 4,000,000: %.2f x\n", exact / tight
}' "$work/bench.csv"

if ! "$cli" help run 2>/dev/null | grep -q -- --batch; then
    echo "zentavo-cli run --batch: not in this build, the scripted run is not timed"
    exit 0
fi
# 10,000 tables with counts 0..1000 from a fixed seed.
awk 'BEGIN {
    srand(20261208)
    for (i = 1; i <= 10000; ++i)
        printf "3200 a=%d b=%d c=%d d=%d exact=yes title=T%d\n",
            int(rand() * 1001), int(rand() * 1001), int(rand() * 1001), int(rand() * 1001), i
}' >"$work/batch.txt"
: >"$work/times"
for _ in 1 2 3 4 5; do
    /usr/bin/time -f '%e' -a -o "$work/times" taskset -c 0 "$cli" run --batch "$work/batch.txt" --format csv >/dev/null
done
sort -n "$work/times" | sed -n 3p | sed 's/^/run --batch of 10,000 tables with the exact test, one core: median of 5: /; s/$/ s/'
