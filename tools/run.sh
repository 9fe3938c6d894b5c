#!/usr/bin/env bash
# Builds Zentavo and starts the desktop program (arguments are passed on, e.g. a .zna file).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja -DZENTAVO_WERROR=ON >/dev/null
cmake --build build
if [ -x build/app/zentavo ]; then
    exec build/app/zentavo "$@"
fi
exec build/cli/zentavo-cli "$@"
