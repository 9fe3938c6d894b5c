#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ with clang (in build-fuzz/) and runs them.
# Usage: tools/fuzz.sh                     each harness for FUZZ_SECONDS (25) seconds, in turn;
#                                          exit 1 on a finding (saved in fuzz-work/findings/)
#        tools/fuzz.sh --campaign SECONDS  each harness for SECONDS seconds, FUZZ_JOBS (2) at a
#                                          time, continuing past findings; the corpora grow in
#                                          fuzz-work/corpus/, logs in fuzz-work/logs/
#        tools/fuzz.sh --corpus            writes the seed corpora in fuzz/corpus/ again
# A finding is reproduced by running the harness on the saved file:
#        build-fuzz/fuzz/DocumentFuzzer fuzz-work/findings/DocumentFuzzer-crash-...
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

mode=short
seconds=${FUZZ_SECONDS:-25}
case "${1:-}" in
"") ;;
--campaign)
    mode=campaign
    seconds=${2:?--campaign needs a number of seconds}
    ;;
--corpus) mode=corpus ;;
*)
    echo "usage: tools/fuzz.sh [--campaign SECONDS | --corpus]" >&2
    exit 1
    ;;
esac

tools/install-deps.sh --fuzz
build=build-fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 -DZENTAVO_FUZZ=ON \
    -DZENTAVO_BUILD_GUI=OFF -DZENTAVO_BUILD_TESTS=OFF -DZENTAVO_BUILD_BENCHMARKS=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"

if [ "$mode" = corpus ]; then
    rm -rf fuzz/corpus
    "$build/fuzz/MakeCorpus" "$root" fuzz/corpus
    exit 0
fi

# harness:dictionary
harnesses=(DocumentFuzzer:archive ClipboardFuzzer:archive RedoFuzzer:archive RtfFuzzer:rtf
           VocabularyFuzzer:vocabulary NumberFuzzer:number ActionFuzzer:action)
work=fuzz-work
mkdir -p "$work/findings" "$work/logs"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LC_ALL=C

# Runs one harness; its output goes to fuzz-work/logs/<harness>.log.
run_one() {
    local name=${1%%:*} dict=${1##*:}
    local corpus="$work/corpus/$name"
    mkdir -p "$corpus"
    local options=(-dict="fuzz/$dict.dict" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048
                   -artifact_prefix="$work/findings/$name-" -print_final_stats=1)
    if [ "$mode" = campaign ]; then
        options+=(-fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1)
    fi
    "$build/fuzz/$name" "${options[@]}" "$corpus" "fuzz/corpus/$name" >"$work/logs/$name.log" 2>&1
}

failed=()
if [ "$mode" = short ]; then
    for h in "${harnesses[@]}"; do
        name=${h%%:*}
        if run_one "$h"; then
            echo "$name: $(grep -a -E '^#[0-9]+.*(DONE|cov)' "$work/logs/$name.log" | tail -1)"
        else
            echo "$name: FINDING (see $work/logs/$name.log)"
            failed+=("$name")
        fi
    done
else
    export -f run_one
    export work build seconds mode
    printf '%s\n' "${harnesses[@]}" | xargs -P "${FUZZ_JOBS:-2}" -I{} bash -c 'run_one {} || true'
    for h in "${harnesses[@]}"; do
        name=${h%%:*}
        echo "$name: $(grep -a -E '^#[0-9]+' "$work/logs/$name.log" | tail -1)"
    done
    for f in "$work"/findings/*; do
        [ -e "$f" ] && failed+=("$(basename "$f")")
    done
fi

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzzing found faults: ${failed[*]}" >&2
    exit 1
fi
