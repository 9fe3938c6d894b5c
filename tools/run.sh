#!/usr/bin/env bash
# Builds Zentavo and starts the desktop program (arguments are passed on, e.g. a .zna file).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
# The same build as tools/test.sh makes, so either command reuses the other's work.
cmake -S . -B build -G Ninja -DZENTAVO_WERROR=ON -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" \
    >/dev/null
cmake --build build
if [ -x build/app/zentavo ]; then
    exec build/app/zentavo "$@"
fi
exec build/cli/zentavo-cli "$@"
