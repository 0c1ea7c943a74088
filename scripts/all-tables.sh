#!/usr/bin/env bash
# Imports every table that Debian's desktop table packages install and checks
# each against its own dumper: installs the packages of the families asked
# (fcitx 4's fcitx-table-* are downloaded and unpacked instead, since they
# conflict with fcitx 5), dumps each table with its tool (scripts/table-dump.sh),
# imports it with Mabrel /i (no CharSet given), compares the pairs with
# scripts/table-pairs.py, and compiles the source (with /f where the import's
# note says so) and its phrase list (Tosker /f), or where Mabrel refuses a
# table of words alone, imports it with Tosker /i. Prints one line per table and
# a summary; the status is 1 when a table failed. Not run by CI: it takes
# some minutes.
#
#   scripts/all-tables.sh [BUILD_DIR] [FAMILY...]
#
# FAMILY: fcitx, fcitx5, ibus, scim, hime, gcin (default all). JOBS=N runs N
# tables at once; KEEP=DIR keeps the work files there.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-release
if [ $# -gt 0 ] && [ -d "$1" ]; then
  build=$1
  shift
fi
families=("$@")
[ ${#families[@]} -gt 0 ] || families=(fcitx fcitx5 ibus scim hime gcin)
cache=${ALL_TABLES_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/all-tables}

packages_of() {
  case $1 in
    fcitx) apt-cache search --names-only '^fcitx-table-' | awk '{print $1}' | grep -v -e '-all$' ;;
    fcitx5) echo libime-bin libime-data zstd; apt-cache search --names-only '^fcitx5-table-' | awk '{print $1}' ;;
    ibus) echo ibus-table; apt-cache search --names-only '^ibus-table-' | awk '{print $1}' ;;
    scim) echo scim-modules-table; apt-cache search --names-only '^scim-tables-' | awk '{print $1}' ;;
    hime) echo hime hime-tables ;;
    gcin) echo gcin-tables hime ;;
  esac
}

tables_of() {
  case $1 in
    fcitx) ls "$cache"/root/usr/share/fcitx/table/*.mb ;;
    fcitx5) ls /usr/share/libime/*.main.dict /usr/share/fcitx5/table/*.main.dict ;;
    ibus) ls /usr/share/ibus-table/tables/*.db ;;
    scim) ls /usr/share/scim/tables/*.bin ;;
    hime) ls /usr/share/hime/table/*.gtab ;;
    gcin) ls /usr/share/gcin/table/*.gtab ;;
  esac
}

need=(fcitx-tools)
for family in "${families[@]}"; do
  for package in $(packages_of "$family"); do
    if [ "$family" = fcitx ]; then
      if ! ls "$cache"/debs/"${package}"_*.deb >/dev/null 2>&1; then
        mkdir -p "$cache/debs" "$cache/root"
        (cd "$cache/debs" && apt-get download -qq "$package" 2>/dev/null)
        dpkg-deb -x "$cache"/debs/"${package}"_*.deb "$cache/root"
      fi
    else
      dpkg -s "$package" >/dev/null 2>&1 || need+=("$package")
    fi
  done
done
if ! dpkg -s "${need[@]}" >/dev/null 2>&1; then
  echo "all-tables: installing ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y -qq "${need[@]}" >/dev/null
fi

cmake --build "$build" -j2 --target Mabrel Tosker >/dev/null
export MABREL=$PWD/$build/ime/Mabrel TOSKER=$PWD/$build/phrase/Tosker SCRIPTS=$PWD/scripts
work=${KEEP:-$(mktemp -d)}
mkdir -p "$work"
[ -n "${KEEP:-}" ] || trap 'rm -rf "$work"' EXIT
export WORK=$work

# sweep_one FAMILY TABLE: prints "family name pairs left-out result" (tabs).
sweep_one() {
  set -uo pipefail
  . "$SCRIPTS/table-dump.sh"
  local family=$1 table=$2 kind name dir result pairs=- left=-
  kind=$(table_kind "$table")
  name=$(basename "$table")
  dir=$WORK/$family-$name
  mkdir -p "$dir"
  cd "$dir" || return
  result=matched
  if ! dump_table "$kind" "$table" dump.txt 2>dump.err; then
    result="dumper failed"
  elif ! "$MABREL" /i "$table" out.txt >import.log 2>&1; then
    result="import: $(grep -ao 'Message [0-9]*.*' import.log | tail -n 1)"
    # A table of words alone is Tosker's.
    if "$TOSKER" /i "$table" words.txt >words.log 2>&1 && "$TOSKER" /f words.txt words.pdb >/dev/null; then
      result="$result; Tosker /i: $(grep -ao '[0-9]* words* kept' words.log)"
    fi
  elif ! grep -aq 'Written for' import.log; then
    result="no Written for line"
  else
    [ -f out-import-left-out.txt ] && left=$(grep -c . out-import-left-out.txt)
    [ -f out-import-left-out.txt ] || left=0
    if ! "$SCRIPTS/table-pairs.py" "$(dump_form "$kind")" dump.txt out.txt >pairs.log 2>pairs.err; then
      result="differs: $(tr '\n' ';' <pairs.err)"
    fi
    pairs=$(grep -o '[0-9]* pairs and [0-9]* words' pairs.log | awk '{print $1 "+" $4}')
    fit=()
    grep -aq 'compile it with Mabrel /f' import.log && fit=(/f)
    if ! "$MABREL" "${fit[@]}" out.txt out.pdb >compile.log 2>&1 || ! grep -aq 'Convert OK.' compile.log; then
      result="$result; compile failed"
    elif [ -f out-phrases.txt ] && ! "$TOSKER" /f out-phrases.txt out-phrases.pdb >phrases.log 2>&1; then
      result="$result; phrase list failed"
    fi
  fi
  grep -q 'gtab-cin.py' dump.err && result="$result (against the .gtab: hime-gtab2cin failed)"
  printf '%s\t%s\t%s\t%s\t%s\n' "$family" "$name" "$pairs" "$left" "$result"
}
export -f sweep_one

for family in "${families[@]}"; do
  for table in $(tables_of "$family"); do
    printf '%s\0%s\0' "$family" "$table"
  done
done | xargs -0 -n 2 -P "${JOBS:-1}" bash -c 'sweep_one "$@"' _ | tee "$work/results.tsv"

# The summary: per family, tables, pairs and words checked, matched, refused, failed.
python3 - "$work/results.tsv" <<'PY'
import sys
rows = [line.rstrip('\n').split('\t') for line in open(sys.argv[1]) if line.strip()]
total = {}
for family, _, pairs, left, result in rows:
    t = total.setdefault(family, [0, 0, 0, 0, 0, 0, 0])
    t[0] += 1
    if pairs not in ('-', ''):
        p, w = pairs.split('+')
        t[1] += int(p); t[2] += int(w)
    if left not in ('-', ''):
        t[3] += int(left)
    t[4 if result.startswith('matched') else 5 if 'Message 510' in result else 6] += 1
print('family\ttables\tpairs\twords\tleft out\tmatched\trefused (510)\tfailed')
for family, t in list(total.items()) + [('all', [sum(c) for c in zip(*total.values())])]:
    print(family + '\t' + '\t'.join(map(str, t)))
sys.exit(1 if any(t[6] for t in total.values()) else 0)
PY
