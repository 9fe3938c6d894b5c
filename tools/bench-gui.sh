#!/bin/sh
# Result-view timings of the desktop program on the offscreen platform: a 100,000-number report
# shown after OK and shown again, and the first paint of a large document. The machine is shared,
# so the benchmark runs RUNS times (5 unless given) and the median of each figure is printed, with
# the processor time the program used beside the elapsed time where it is measured.
# Usage: tools/bench-gui.sh [RUNS] [CALCULATIONS]
set -eu
cd "$(dirname "$0")/.."
runs=${1:-5}
count=${2:-100000}
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target ResultViewBench >/dev/null
export QT_QPA_PLATFORM=offscreen ZENTAVO_INI=resources/Zentavo.ini LC_ALL=C
out=$(mktemp)
trap 'rm -f "$out"' EXIT
i=0
while [ "$i" -lt "$runs" ]; do
    build/benchmarks/gui/ResultViewBench "$count" 2>/dev/null >>"$out" || true
    i=$((i + 1))
done
# median PATTERN [cpu]: the median of the seconds (or of the processor seconds) of the lines
# that match PATTERN
median() {
    if [ "${2:-}" = cpu ]; then
        grep "$1" "$out" | sed -nE 's/.*\(([0-9.]+) s of processor time\).*/\1/p'
    else
        grep "$1" "$out" | sed -nE 's/.*: +([0-9.]+) s.*/\1/p'
    fi | sort -n | awk '{v[NR]=$1} END{if (NR) printf "%.3f", v[int((NR+1)/2)]; else printf "n/a"}'
}
echo "median of $runs runs (seconds; processor seconds in brackets):"
echo "  shown after OK:        $(median 'made and written') ($(median 'made and written' cpu))"
echo "  shown again:           $(median 'selected again') ($(median 'selected again' cpu))"
echo "  first paint ($count):  $(median 'first painted')"
