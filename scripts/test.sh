#!/usr/bin/env bash
# Builds both tools twice, in Release and in Debug with the address and
# undefined-behaviour sanitizers, warnings as errors, and runs every unit and
# end-to-end test in each build. CXX chooses the compiler (g++ by default).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
compiler=${CXX:-g++}
suffix=""
[ "$(basename "$compiler")" = g++ ] || suffix="-$(basename "$compiler")"

build() {
  local dir=$1
  shift
  CXX=$compiler cmake -S . -B "$dir" -DCJK_WERROR=ON -DCJK_BUILD_TESTS=ON "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
}

build "build-release$suffix" -DCMAKE_BUILD_TYPE=Release
ctest --test-dir "build-release$suffix" --output-on-failure -j"$jobs"

build "build-sanitize$suffix" -DCMAKE_BUILD_TYPE=Debug -DCJK_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "build-sanitize$suffix" --output-on-failure -j"$jobs"
