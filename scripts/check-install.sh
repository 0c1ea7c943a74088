#!/usr/bin/env bash
# Checks what a user installs: both manual pages render without a single
# groff warning, and `cmake --install` into an empty prefix puts both
# programs and both pages in place. Uses the release build of
# scripts/test.sh (made when missing); installs groff first on a machine that
# lacks it.
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v groff >/dev/null; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq groff-base || apt-get install -y -qq groff
fi

failed=0
for page in man/Mabrel.1 man/Tosker.1; do
  warnings=$(groff -man -ww -z "$page" 2>&1)
  if [ -n "$warnings" ]; then
    echo "check-install: $page renders with warnings:"
    echo "$warnings"
    failed=1
  fi
done

# The tools of the release build that scripts/test.sh makes, built here when missing.
build=build-release
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target Mabrel Tosker -j"$(nproc 2>/dev/null || echo 2)" >/dev/null

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

for program in Mabrel Tosker; do
  if [ ! -x "$prefix/bin/$program" ]; then
    echo "check-install: bin/$program was not installed"
    failed=1
  elif ! "$prefix/bin/$program" >/dev/null; then
    echo "check-install: the installed $program does not run"
    failed=1
  fi
  if [ ! -f "$prefix/share/man/man1/$program.1.gz" ]; then
    echo "check-install: share/man/man1/$program.1.gz was not installed"
    failed=1
  fi
done

if [ "$failed" -ne 0 ]; then
  echo "check-install: FAILED"
  exit 1
fi
echo "check-install: both manual pages render cleanly; programs and pages install under a prefix"
