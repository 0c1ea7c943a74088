#!/usr/bin/env bash
# Every C++ file of the project matches the checked-in .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
echo "check-format: every C++ file matches .clang-format"
