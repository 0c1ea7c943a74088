#!/usr/bin/env bash
# Differential run: two builds of Mabrel and Tosker on the same inputs, with
# SOURCE_DATE_EPOCH fixed; standard output, exit status and every file left
# (names and bytes) must agree.
#
#   scripts/differential.sh OLD_DIR NEW_DIR [--seed N] [--count N] [--damaged N]
#                           [--jobs N] [--show N] [--keep DIR] [--only TEXT] [--fixed-only]
#                           [--stats]
#
# OLD_DIR and NEW_DIR each hold Mabrel and Tosker, or are build folders (with
# ime/Mabrel and phrase/Tosker). For example, the old binaries against a
# release build of the working tree:
#
#   scripts/differential.sh /work/old build-release
#
# Inputs: every case under tests/data/e2e (arguments, environment, files as
# the end-to-end test gives them), the bundled examples with their pictures,
# the benchmark inputs, the /c samples, both tools under command lines of every
# kind, --count generated input-method sources and phrase lists (default 2000,
# from --seed) and --damaged compiled databases with bytes changed, cut or grown
# (default 600). Every source is compiled, decompiled and recompiled, and
# (every other one) written as UTF-8 (/u) and compiled again. About 7,700
# runs of each build; 2.5 minutes of processor time, 9 minutes on 2 busy cores.
# --count 300 --damaged 100 gives a quicker first look.
#
# Prints the first --show cases that differ in detail, then the line
# "N runs, M differences"; exits 1 on any difference. --keep DIR writes both
# sides (files left, output of every step) of each differing case into DIR.
set -euo pipefail
exec python3 "$(dirname "$0")/differential.py" "$@"
