#!/usr/bin/env bash
# Builds both tools and runs them on the bundled examples: every input method
# source is compiled, every phrase list (phrase*.txt) is converted to a
# database and back. The results go to build/examples-out.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)"

out=build/examples-out
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
exit $status
