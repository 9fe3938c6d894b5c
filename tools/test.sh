#!/usr/bin/env bash
# Builds Zentavo and runs every test (unit, command-line and headless GUI tests).
# Usage: tools/test.sh [--sanitize]   (the sanitizer build lives in build-asan/)
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh

build=build
flags=(-DZENTAVO_WERROR=ON)
if [ "${1:-}" = "--sanitize" ]; then
    build=build-asan
    flags+=(-DZENTAVO_SANITIZE=ON -DZENTAVO_BUILD_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Debug)
fi
cmake -S . -B "$build" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$build"
export QT_QPA_PLATFORM=offscreen LC_ALL=C
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
