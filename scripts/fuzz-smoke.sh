#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a short while on a copy
# of its seed corpus (FUZZ_SECONDS, 20 by default). Any crash, hang, leak or
# sanitizer report fails the run. Skipped where clang is not installed.
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v clang++ >/dev/null; then
  echo "fuzz-smoke: clang++ not found, skipped"
  exit 0
fi
seconds=${FUZZ_SECONDS:-20}
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCJK_FUZZ=ON -DCJK_BUILD_TESTS=OFF -DCJK_UNITY_BUILD=ON >/dev/null
cmake --build build-fuzz -j"$(nproc 2>/dev/null || echo 2)" >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in ime_compile ime_to_text phrase_compile phrase_to_text libime_table; do
  mkdir -p "$work/$target"
  cp fuzz/corpus/"$target"/* "$work/$target"/
  if ! build-fuzz/fuzz/fuzz_"$target" "$work/$target" -max_total_time="$seconds" \
      -max_len=24000 -timeout=10 -artifact_prefix="$work/$target-" >"$work/$target.log" 2>&1; then
    echo "fuzz-smoke: $target failed:"
    tail -n 40 "$work/$target.log"
    exit 1
  fi
  echo "fuzz-smoke: $target ran ${seconds}s: $(grep -o 'Done [0-9]* runs' "$work/$target.log")"
done
