#!/usr/bin/env bash
# Measures how the C runtimes' exp, log, atan, sin, cos, tan, pow and %.Nf differ from the
# correctly rounded values (MPFR) and from each other, on Linux and under Wine (MinGW-w64
# build), then the same for ZNTVMath and Format. Needs g++, libmpfr-dev,
# g++-mingw-w64-x86-64-posix and wine64. Under Wine the Windows runtime is Wine's own.
#   tools/measure-digits.sh [COUNT]    arguments per function (2000000)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
count=${1:-2000000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
src=$root/tools/digits
lib=("$root/numerics/ExpLog.cpp" "$root/numerics/Trig.cpp" "$root/platform/Format.cpp" "$root/platform/Utf8.cpp")
inc=(-I"$root/numerics" -I"$root/platform")
flags=(-std=c++20 -O2 -ffp-contract=off)
g++ "${flags[@]}" -o "$work/check" "$src/Check.cpp" -lmpfr -lgmp
g++ "${flags[@]}" -o "$work/crt" "$src/Probe.cpp"
g++ "${flags[@]}" -DPROBE_ZNTVMATH "${inc[@]}" -o "$work/own" "$src/Probe.cpp" "${lib[@]}"
mingw=(x86_64-w64-mingw32-g++-posix "${flags[@]}" -static)
"${mingw[@]}" -o "$work/crt.exe" "$src/Probe.cpp"
"${mingw[@]}" -DPROBE_MSVCRT -o "$work/msvcrt.exe" "$src/Probe.cpp"
"${mingw[@]}" -DPROBE_ZNTVMATH "${inc[@]}" -o "$work/own.exe" "$src/Probe.cpp" "${lib[@]}"
wine=${WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$work/wine}
cd "$work"
./crt "$count" crt.bin crt.txt
"$wine" ./crt.exe "$count" crtw.bin crtw.txt
"$wine" ./msvcrt.exe "$count" msw.bin msw.txt
./own "$count" own.bin own.txt
"$wine" ./own.exe "$count" ownw.bin ownw.txt
echo "The C runtime on Linux, compared with Wine (MinGW-w64's printf):"
./check "$count" crt.bin crt.txt crtw.bin crtw.txt
echo "The C runtime under Wine (MinGW-w64's printf):"
./check "$count" crtw.bin crtw.txt
echo "The C runtime under Wine (the runtime's own printf):"
./check "$count" msw.bin msw.txt | tail -1
echo "ZNTVMath and Format on Linux, compared with Wine:"
./check "$count" own.bin own.txt ownw.bin ownw.txt
