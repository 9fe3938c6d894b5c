#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running Zentavo need, and only
# those that are missing, so a second run costs a fraction of a second.
set -euo pipefail

packages=(g++ cmake ninja-build libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev libgl-dev
          clang-format clang-tidy-14 fonts-liberation ccache libboost-math-dev
          desktop-file-utils appstream xdg-utils libfile-mimeinfo-perl shared-mime-info poppler-utils
          file man-db dpkg-dev unzip libcli11-dev nlohmann-json3-dev cmark-gfm qt6-translations-l10n
          python3-yaml)
# MPFR: the correctly rounded values the elementary functions' test compares against.
packages+=(libmpfr-dev)
if [ "${1:-}" = "--screenshots" ]; then
    packages+=(xvfb openbox xdotool imagemagick x11-utils)
fi
# The fuzzing build (tools/fuzz.sh): clang with libFuzzer and the sanitizer runtimes.
if [ "${1:-}" = "--fuzz" ]; then
    packages+=(clang-14 libclang-rt-14-dev)
fi
# The Windows cross build run under Wine (tools/test-windows.sh), GoogleTest from its sources.
if [ "${1:-}" = "--mingw" ]; then
    packages+=(g++-mingw-w64-x86-64-posix googletest wine64)
fi
# The Clang + libc++ build (tools/test-libcxx.sh), GoogleTest from its sources.
if [ "${1:-}" = "--libcxx" ]; then
    packages+=(clang-14 libc++-14-dev libc++abi-14-dev googletest)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
