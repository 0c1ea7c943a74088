#!/usr/bin/env bash
# Builds the two tools alone (release build in build-release, no tests, so no
# GoogleTest needed) and runs them on the bundled examples: every input method
# source is compiled, every phrase list (phrase*.txt) is converted to a
# database and back, and the checks file of each input method (NAME.checks)
# is run against its database with Mabrel /t. The keyboard pictures are
# drawn again with Mabrel /k (in drawn/) and must be the ones checked in.
# The results go to build-release/examples-out.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DCJK_BUILD_TESTS=OFF -DCJK_UNITY_BUILD=ON \
  -DCJK_WERROR="${CJK_WERROR:-OFF}" >/dev/null
cmake --build build-release -j"$(nproc 2>/dev/null || echo 2)"

out=build-release/examples-out
rm -rf "$out" && mkdir -p "$out"
cp examples/* "$out"/ 2>/dev/null || true
cd "$out"
status=0
for source in *.txt; do
  [ -e "$source" ] || continue
  case "$source" in
    phrase*)
      ../phrase/Tosker "$source" "${source%.txt}.pdb" || status=1
      ../phrase/Tosker "${source%.txt}.pdb" "${source%.txt}-back.txt" || status=1
      ;;
    *) ../ime/Mabrel "$source" "${source%.txt}.pdb" || status=1 ;;
  esac
done
mkdir drawn
for source in *.txt; do
  case "$source" in phrase*) continue ;; esac
  grep -q '^KeyboardBitmap=' "$source" || continue
  (cd drawn && cp "../$source" . && ../../ime/Mabrel /k "$source" >"${source%.txt}-k.out") || {
    echo "examples: Mabrel /k fails on $source:" >&2
    cat "drawn/${source%.txt}-k.out" >&2
    status=1
  }
  for picture in $(sed -n 's/^KeyboardBitmap\(HDD\)\{0,1\}=\([^ \r]*\).*/\2/p' "$source"); do
    cmp -s "drawn/$picture" "$picture" || {
      echo "examples: $picture is not what Mabrel /k draws from $source" >&2
      status=1
    }
  done
done
for checks in *.checks; do
  [ -e "$checks" ] || continue
  ../ime/Mabrel /t "${checks%.checks}.pdb" <"$checks" >"${checks%.checks}-checks.out" || {
    echo "examples: $checks fails against ${checks%.checks}.pdb:" >&2
    tail -n +3 "${checks%.checks}-checks.out" >&2
    status=1
  }
done
exit $status
