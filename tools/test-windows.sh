#!/usr/bin/env bash
# Builds the Windows (x86-64) core libraries, zentavo-cli.exe and their tests with MinGW-w64
# (CMake preset mingw-w64, build-mingw/) and runs every test under Wine.
# Usage: tools/test-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/install-deps.sh --mingw

# Each test starts a Windows process; a Wine server kept running for the whole run makes that
# start cheap (the first start also makes the Wine prefix, inside the build folder).
export WINEPREFIX="$PWD/build-mingw/wineprefix" WINEDEBUG=-all
cmake --preset mingw-w64 >/dev/null
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
"$wineserver" -p 2>/dev/null || true
trap '"$wineserver" -k 2>/dev/null || true' EXIT
cmake --build --preset mingw-w64
# Wine's services start with its first program and outlive it. Started here, with nothing of
# ctest's open, they hold none of its pipes: ctest would otherwise wait on them for ever.
tools/wine-run.sh cmd /c exit </dev/null >/dev/null 2>&1 || true
LC_ALL=C ctest --preset mingw-w64 -j "$(nproc)"
