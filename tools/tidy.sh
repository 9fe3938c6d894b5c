#!/usr/bin/env bash
# Runs clang-tidy 14 with the checks of .clang-tidy on the .cpp files changed since BASE, and
# fails on any finding. Without BASE it checks the files changed by the last 10 commits of HEAD
# (every file when the history is shorter), so a fresh clone checks the recent work.
# Usage: tools/tidy.sh [BASE]      (needs a configured build/ with compile_commands.json;
#                                   ZENTAVO_TIDY_BUILD names another build folder)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${ZENTAVO_TIDY_BUILD:-build}
tidy=clang-tidy-14
command -v "$tidy" >/dev/null || { echo "tidy: $tidy is not installed (tools/install-deps.sh)" >&2; exit 1; }
[ -f "$build/compile_commands.json" ] || { echo "tidy: no $build/compile_commands.json; configure first" >&2; exit 1; }

base=${1:-}
if [ -z "$base" ]; then
    if git rev-parse -q --verify 'HEAD~10^{commit}' >/dev/null; then
        base=HEAD~10
    else
        base=$(git hash-object -t tree /dev/null) # the empty tree: every file is new
    fi
fi

# Files left out of today's run, each with its reason; remove an entry once its file is clean.
skipped=(
)

mapfile -t changed < <(git diff --name-only --diff-filter=d "$base" -- '*.cpp')
files=()
for file in "${changed[@]}"; do
    [[ " ${skipped[*]} " == *" $file "* ]] && continue
    # Only what the build compiles (the fuzz harnesses need their own clang build).
    grep -q "\"file\": \"$PWD/$file\"" "$build/compile_commands.json" || continue
    files+=("$file")
done
if [ ${#files[@]} -eq 0 ]; then
    echo "tidy: no changed .cpp files since $base"
    exit 0
fi

echo "tidy: ${#files[@]} files changed since $base"
# Each file as written, without the precompiled headers that GCC forces in (clang cannot read
# GCC's compiled form of them), and without GCC-only warning options.
database=$(mktemp -d)
trap 'rm -rf "$database"' EXIT
python3 - "$build/compile_commands.json" "$database/compile_commands.json" <<'PY'
import json, re, sys
entries = json.load(open(sys.argv[1]))
for entry in entries:
    command = re.sub(r" -include \S+cmake_pch\.hxx", "", entry["command"])
    for gcc_only in (" -Winvalid-pch", " -Wno-stringop-overflow"):
        command = command.replace(gcc_only, "")
    entry["command"] = command
json.dump(entries, open(sys.argv[2], "w"))
PY
jobs=$(nproc)
printf '%s\0' "${files[@]}" | xargs -0 -n 1 -P "$jobs" "$tidy" -p "$database" --quiet
echo "tidy: no findings"
