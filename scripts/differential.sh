#!/usr/bin/env bash
# Differential run: two builds of Mabrel and Tosker on the same inputs, with
# SOURCE_DATE_EPOCH fixed; standard output, exit status and every file left
# (names and bytes) must agree.
#
#   scripts/differential.sh OLD_DIR NEW_DIR [--seed N] [--count N] [--damaged N]
#                           [--tables N] [--jobs N] [--show N] [--keep DIR]
#                           [--only TEXT] [--fixed-only] [--stats]
#
# OLD_DIR and NEW_DIR each hold Mabrel and Tosker, or are build folders (with
# ime/Mabrel and phrase/Tosker). For example, the old binaries against a
# release build of the working tree:
#
#   scripts/differential.sh /work/old build-release
#
# Inputs: every case under tests/data/e2e (arguments, environment, files as
# the end-to-end test gives them), the bundled examples with their pictures,
# the benchmark inputs (the compile rows' sources and lists; the generated
# .cin at half and usual size and the word list at half size, imported and
# compiled), the /c samples, both tools under command lines of every kind,
# rime's Wubi 86, Cangjie 5 and luna pinyin (/iChineseGB and /i, beside
# essay.txt) and essay.txt itself (/iChineseGBK and /i) with the compiles of
# what the imports wrote, --count generated input-method sources and phrase
# lists (default 2000, from --seed), --damaged compiled databases with bytes
# changed, cut or grown (default 600), and --tables generated desktop tables
# and word lists (.cin, fcitx, SCIM/ibus-table, rime .dict.yaml, word lists;
# as many as --count by default), each imported by Mabrel /i and Tosker /i and what they wrote
# compiled with /f. Every source is compiled, decompiled and recompiled, and
# (every other one) written as UTF-8 (/u) and compiled again. When only the
# new build imports straight to a database (/i Table Dest.pdb), every import
# runs once more as a pair: its databases and lists of what was left out
# against those of the old build's import to text and /f.
#
# About 14,000 runs of each build; 6.5 minutes of processor time, 14 minutes
# on 2 busy cores. --count 300 --damaged 100 gives a
# quicker first look (300 tables too).
#
# Prints the first --show cases that differ in detail, then the line
# "N runs, M differences"; exits 1 on any difference. --keep DIR writes both
# sides (files left, output of every step) of each differing case into DIR.
set -euo pipefail
exec python3 "$(dirname "$0")/differential.py" "$@"
