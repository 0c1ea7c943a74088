#!/usr/bin/env bash
# Builds both tools twice, in Release and in Debug with the address and
# undefined-behaviour sanitizers, warnings as errors, and runs every unit and
# end-to-end test in each build. The tools' sources are compiled in batches,
# the tests file by file. CXX chooses the compiler (g++ by default);
# BUILDS chooses the builds ("release sanitize" by default; CI gives clang++
# the sanitizer build alone, since the plain build adds nothing g++'s does
# not already check).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
compiler=${CXX:-g++}
suffix=""
[ "$(basename "$compiler")" = g++ ] || suffix="-$(basename "$compiler")"

build() {
  local dir=$1
  shift
  CXX=$compiler cmake -S . -B "$dir" -DCJK_WERROR=ON -DCJK_BUILD_TESTS=ON -DCJK_UNITY_BUILD=ON "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
}

for kind in ${BUILDS:-release sanitize}; do
  case $kind in
    release)
      build "build-release$suffix" -DCMAKE_BUILD_TYPE=Release
      ctest --test-dir "build-release$suffix" --output-on-failure -j"$jobs"
      ;;
    sanitize)
      build "build-sanitize$suffix" -DCMAKE_BUILD_TYPE=Debug -DCJK_SANITIZE=ON
      ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --test-dir "build-sanitize$suffix" --output-on-failure -j"$jobs"
      ;;
    *)
      echo "test.sh: unknown build \"$kind\" (release, sanitize)" >&2
      exit 2
      ;;
  esac
done
