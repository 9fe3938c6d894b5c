#!/usr/bin/env bash
# Builds the core libraries, zentavo-cli and their tests with Clang 14 on LLVM's libc++ (in
# build-libcxx/, GoogleTest built from its sources with libc++) and runs every test: the code
# must not lean on what only GCC's library gives.
# Usage: tools/test-libcxx.sh
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/install-deps.sh --libcxx

cmake -S . -B build-libcxx -G Ninja -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=Release \
      "-DCMAKE_CXX_FLAGS=-stdlib=libc++" "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG" \
      "-DCMAKE_EXE_LINKER_FLAGS=-stdlib=libc++" -DZENTAVO_WERROR=ON -DZENTAVO_BUILD_GUI=OFF \
      -DZENTAVO_BUILD_BENCHMARKS=OFF -DZENTAVO_GTEST_FROM_SOURCE=ON >/dev/null
cmake --build build-libcxx
LC_ALL=C ctest --test-dir build-libcxx --output-on-failure -j "$(nproc)"
