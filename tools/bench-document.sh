#!/usr/bin/env bash
# Figures of a large document: how long it takes to open and how much memory it then needs
# against its file's size, how long `zentavo-cli tree` and one `zentavo-cli run --doc` append
# take, how the cost of adding n calculations grows with n, and the desktop program's peak
# memory with the document open. Timings are the best of five runs (the machine may be busy
# with other work), with the processor time of the best one; memory is the peak resident size.
#   tools/bench-document.sh [N]          a document of N calculations (100000)
#   CALLGRIND=1 tools/bench-document.sh  also instruction counts of `tree` (slow)
# BUILD_DIR names another build folder (build/ by default).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
count=${1:-100000}
cmake --build "$build" --target zentavo-cli DocumentScaleBench >/dev/null
export ZENTAVO_INI=${ZENTAVO_INI:-$root/resources/Zentavo.ini}
export LC_ALL=C
bench=$build/benchmarks/DocumentScaleBench
cli=$build/cli/zentavo-cli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
doc=$work/doc.zna

"$bench" make "$doc" "$count"
bytes=$(stat -c %s "$doc")

# best FILE: the smallest first field of the lines in FILE, with the rest of its line
best() { sort -n "$1" | head -n 1; }

for how in "" map; do
    for _ in 1 2 3 4 5; do "$bench" open "$doc" $how; done | sed 's/^open: *//' | sort -n | head -n 1 |
        sed 's/^/open:    best of 5: /'
done

: >"$work/tree"
for _ in 1 2 3 4 5; do
    /usr/bin/time -f '%e %M %U %S' -o "$work/one" "$cli" tree "$doc" >/dev/null
    cat "$work/one" >>"$work/tree"
done
read -r seconds kib user system < <(best "$work/tree")
awk -v s="$seconds" -v k="$kib" -v b="$bytes" -v c="$(awk -v u="$user" -v y="$system" 'BEGIN { print u + y }')" 'BEGIN {
    printf "tree:    best of 5: %.3f s (%.2f s of processor time), peak resident %.1f MiB for a file of %.1f MiB (%.2f x)\n",
        s, c, k / 1024, b / 1048576, k * 1024 / b }'

: >"$work/append"
for i in 1 2 3 4 5; do
    cp "$doc" "$work/copy$i.zna"
    /usr/bin/time -f '%e %M %U %S' -o "$work/one" "$cli" run 3200 1090=10 1091=20 1092=30 1093=40 --doc "$work/copy$i.zna" >/dev/null
    cat "$work/one" >>"$work/append"
    rm -f "$work/copy$i.zna"
done
read -r seconds kib user system < <(best "$work/append")
printf 'run --doc: best of 5: %s s with the write (%s s of processor time), peak resident %.1f MiB\n' "$seconds" \
    "$(awk -v u="$user" -v y="$system" 'BEGIN { print u + y }')" "$(awk -v k="$kib" 'BEGIN { print k / 1024 }')"
cp "$doc" "$work/copy.zna"
for _ in 1 2 3; do "$bench" append "$work/copy.zna"; done | awk '{ print $(NF - 12), $0 }' | sort -n | head -n 1 |
    cut -d' ' -f2- | sed 's/^append: */append:  best of 3: /'

"$bench" scale

# The desktop program on the offscreen platform, left three seconds to open the document and
# paint, then stopped: its peak resident size with the document and without one.
program=$build/app/zentavo
if [ -x "$program" ]; then
    peak() {
        QT_QPA_PLATFORM=offscreen /usr/bin/time -f '%M' -o "$work/one" timeout -s INT 3 "$program" "$@" \
            >/dev/null 2>&1 || true
        tail -n 1 "$work/one"
    }
    with=$( (for _ in 1 2 3; do peak "$doc"; done) | sort -n | head -n 1)
    without=$( (for _ in 1 2 3; do peak; done) | sort -n | head -n 1)
    awk -v w="$with" -v o="$without" -v b="$bytes" 'BEGIN {
        printf "program: peak resident %.1f MiB with the document (%.2f x its file), %.1f MiB without one; the document adds %.2f x\n",
            w / 1024, w * 1024 / b, o / 1024, (w - o) * 1024 / b }'
fi

if [ "${CALLGRIND:-0}" = 1 ]; then
    small=$work/small.zna
    "$bench" make "$small" $((count / 10)) >/dev/null
    valgrind --tool=callgrind --callgrind-out-file="$work/callgrind" "$cli" tree "$small" >/dev/null 2>"$work/valgrind"
    grep -o 'Collected : [0-9]*' "$work/valgrind" | sed "s/Collected :/tree of $((count / 10)) calculations: instructions/"
fi
