#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ with clang (in build-fuzz/) and runs them.
# Usage: tools/fuzz.sh                     each harness for FUZZ_SECONDS (25) seconds, in turn;
#                                          exit 1 on a finding (saved in fuzz-work/findings/)
#        tools/fuzz.sh --campaign SECONDS  each harness until it has used SECONDS seconds of CPU
#                                          time, FUZZ_JOBS (2) at a time, continuing past
#                                          findings. The CPU time is counted in fuzz-work/cpu/ and
#                                          a campaign that was stopped resumes where it was; each
#                                          chunk of work is a line of fuzz-work/campaign.log, the
#                                          corpora grow in fuzz-work/corpus/, logs in
#                                          fuzz-work/logs/. Runs well under nice: it counts the
#                                          CPU it got, not the time that passed.
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
# Optimised with line tables only (the instrumentation adds them): enough for the file and line
# of each frame of a report, at less compile time than full debug information.
cmake -S . -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 -DZENTAVO_FUZZ=ON \
    -DZENTAVO_BUILD_GUI=OFF -DZENTAVO_BUILD_TESTS=OFF -DZENTAVO_BUILD_BENCHMARKS=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG" >/dev/null

# harness:dictionary
harnesses=(DocumentFuzzer:archive ClipboardFuzzer:archive RedoFuzzer:archive RtfFuzzer:rtf
           VocabularyFuzzer:vocabulary NumberFuzzer:number ActionFuzzer:action)

if [ "$mode" = corpus ]; then
    # The seeds written again over the corpus; seeds added by hand (regression inputs) stay.
    cmake --build "$build" --target MakeCorpus zentavo-cli
    examples=$(mktemp -d)
    trap 'rm -rf "$examples"' EXIT
    ZENTAVO_INI="$root/resources/Zentavo.ini" LC_ALL=C "$build/cli/zentavo-cli" run \
        --batch tests/data/cli-examples.batch --doc "$examples/examples.zna" >/dev/null
    "$build/fuzz/MakeCorpus" "$root" fuzz/corpus "$examples/examples.zna"
    exit 0
fi
cmake --build "$build" --target "${harnesses[@]%%:*}"
work=fuzz-work
mkdir -p "$work/findings" "$work/logs" "$work/cpu"
bin=$build/fuzz
if [ "$mode" = campaign ]; then
    # A copy of the harnesses, so that builds during a long campaign do not change them under it.
    bin=$work/bin
    mkdir -p "$bin"
    for h in "${harnesses[@]}"; do
        cp "$build/fuzz/${h%%:*}" "$bin/"
    done
fi
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LC_ALL=C

# Runs one harness for $1 seconds; its output goes to fuzz-work/logs/<harness>.log.
run_one() {
    local name=${1%%:*} dict=${1##*:} limit=${2:-$seconds}
    local corpus="$work/corpus/$name"
    mkdir -p "$corpus"
    local options=(-dict="fuzz/$dict.dict" -max_total_time="$limit" -timeout=10 -rss_limit_mb=2048
                   -artifact_prefix="$work/findings/$name-" -print_final_stats=1)
    if [ "$mode" = campaign ]; then
        options+=(-fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1)
    fi
    "$bin/$name" "${options[@]}" "$corpus" "fuzz/corpus/$name" >"$work/logs/$name.log" 2>&1
}

# Runs one harness in chunks of at most 10 minutes until its CPU time (user and system, its
# workers included) reaches the campaign's total; the count survives a stopped campaign.
campaign_one() {
    local name=${1%%:*}
    local count="$work/cpu/$name" used
    used=$(cat "$count" 2>/dev/null || echo 0)
    while [ "$used" -lt "$seconds" ]; do
        local chunk=$((seconds - used))
        [ "$chunk" -gt 600 ] && chunk=600
        local times
        times=$( { TIMEFORMAT='%R %U %S'; time run_one "$1" "$chunk" >/dev/null 2>&1 || true; } 2>&1 )
        local cpu
        cpu=$(awk '{ printf "%d", $2 + $3 }' <<<"$times")
        used=$((used + cpu))
        echo "$used" >"$count"
        echo "$(date -u +%FT%TZ) $name: ${cpu} s CPU in $(awk '{ printf "%d", $1 }' <<<"$times") s," \
            "$used s in all; $(grep -a -E '^#[0-9]+' "$work/logs/$name.log" | tail -1)" >>"$work/campaign.log"
    done
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
    export -f run_one campaign_one
    export work bin seconds mode
    printf '%s\n' "${harnesses[@]}" | xargs -P "${FUZZ_JOBS:-2}" -I{} bash -c 'campaign_one {}'
    for h in "${harnesses[@]}"; do
        name=${h%%:*}
        echo "$name: $(cat "$work/cpu/$name") s CPU; $(grep -a -E '^#[0-9]+' "$work/logs/$name.log" | tail -1)"
    done
    for f in "$work"/findings/*; do
        [ -e "$f" ] && failed+=("$(basename "$f")")
    done
fi

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzzing found faults: ${failed[*]}" >&2
    exit 1
fi
