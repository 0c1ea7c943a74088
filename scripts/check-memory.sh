#!/usr/bin/env bash
# Runs both tools on every bundled example under valgrind: any invalid read or
# write, use of uninitialised memory or leak fails the check. Uses a release
# build of the tools linked against the shared libraries (build-memory):
# valgrind follows the C library's allocations only there.
set -euo pipefail
cd "$(dirname "$0")/.."

# The same compile as the release build of scripts/test.sh, linked shared.
build=build-memory
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCJK_WERROR=ON -DCJK_BUILD_TESTS=OFF \
  -DCJK_STATIC_RUNTIME=OFF -DCJK_UNITY_BUILD=ON >/dev/null
cmake --build "$build" --target Mabrel Tosker -j"$(nproc 2>/dev/null || echo 2)" >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp examples/* "$work"/
root=$PWD
check() {
  (cd "$work" && valgrind -q --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=all \
      --suppressions="$root/scripts/valgrind.supp" \
      "$@" >/dev/null) || { echo "check-memory: valgrind reports errors in: $*"; exit 1; }
}
count=0
for source in "$work"/*.txt; do
  name=$(basename "$source")
  case "$name" in
    phrase*)
      check "$root/$build/phrase/Tosker" "$name" "${name%.txt}.pdb"
      check "$root/$build/phrase/Tosker" "${name%.txt}.pdb" "${name%.txt}-back.txt"
      count=$((count + 2))
      ;;
    *)
      check "$root/$build/ime/Mabrel" "$name" "${name%.txt}.pdb"
      count=$((count + 1))
      ;;
  esac
done
for checks in "$work"/*.checks; do
  check "$root/$build/ime/Mabrel" /t "$(basename "${checks%.checks}").pdb" <"$checks"
  count=$((count + 1))
done
check "$root/$build/ime/Mabrel" /t pinyin.pdb phrase-chinesegb.pdb <<<"中 国"
check "$root/$build/ime/Mabrel" /cChineseGBK sample.txt
echo "check-memory: $((count + 2)) runs clean under valgrind"
