#!/usr/bin/env bash
# Exports one input method (and its phrases) for every engine with Mabrel /e
# and has each engine's own tool build the export; where the engine has a
# dumper, the pairs it gives back must be the exported ones, in the same
# order for every code. Engines whose tools are not installed are skipped.
# Every export, imported again with the source's CharSet, must give the
# source's code tables byte for byte (scripts/same-code-tables.py).
#
#   scripts/export-peers.sh MABREL FOLDER NAME SOURCE.txt [PHRASES]
set -euo pipefail
mabrel=$1 folder=$2 name=$3 source=$4 phrases=${5:-}
scripts=$(cd "$(dirname "$0")" && pwd)
cd "$folder"
fail() { echo "export-peers: $name: $*" >&2; exit 1; }
original=$name.original.pdb
"$mabrel" "$source" "$original" >"$name-compile.log" || fail "the compile failed"
charset=$(grep -a -m1 '^CharSet=' "$source" | tr -d '\r' | cut -d= -f2)
# back FORMAT TABLE: the export imported again keeps the code tables.
back() {
  "$mabrel" "/i$charset" "$2" "$name.back-$1.pdb" >"$name-back-$1.log" || fail "/i of the $1 export failed"
  "$scripts/same-code-tables.py" "$original" "$name.back-$1.pdb" >/dev/null || fail "$1: the import gave other code tables"
  echo "export-peers: $name $1: code tables back"
}
run() {
  "$mabrel" "/e$1" "$source" ${phrases:+"$phrases"} "$2" >"$name-$1.log" || fail "/e$1 failed"
  back "$1" "$2"
}
# Pairs "code TAB text", stably sorted by code (engines keep each code's order).
bycode() { LC_ALL=C sort -s -t $'\t' -k1,1; }
same() { cmp -s "$2" "$3" || fail "$1 gave back other pairs"; echo "export-peers: $name $1: $(wc -l <"$2") pairs back"; }

run cin "$name.cin"
if command -v hime-cin2gtab >/dev/null; then
  hime-cin2gtab "$name.cin" >/dev/null 2>&1 || fail "hime-cin2gtab failed"
  hime-gtab2cin -i "$name.gtab" -o "$name.back.cin" >/dev/null 2>&1 || fail "hime-gtab2cin failed"
  chardef() { sed -n '/^%chardef begin/,/^%chardef end/p' "$1" | sed '1d;$d' | awk '{print $1 "\t" $2}' | bycode; }
  chardef "$name.cin" >want.txt; chardef "$name.back.cin" >got.txt; same cin want.txt got.txt
fi
data() { sed -n '/^\[Data\]/,$p' "$1" | sed 1d | awk '{print $1 "\t" $2}' | bycode; }
run fcitx5 "$name.fcitx5"
if command -v libime_tabledict >/dev/null; then
  libime_tabledict "$name.fcitx5" "$name.main.dict" || fail "libime_tabledict failed"
  libime_tabledict -d "$name.main.dict" "$name.back.fcitx5" || fail "libime_tabledict -d failed"
  data "$name.fcitx5" >want.txt; data "$name.back.fcitx5" >got.txt; same fcitx5 want.txt got.txt
fi
run fcitx "$name.fcitx"
if command -v txt2mb >/dev/null; then
  txt2mb "$name.fcitx" "$name.mb" >/dev/null || fail "txt2mb failed"
  mb2txt "$name.mb" >"$name.back.fcitx" 2>/dev/null || fail "mb2txt failed"
  data "$name.fcitx" >want.txt; data "$name.back.fcitx" >got.txt; same fcitx want.txt got.txt
fi
run ibus "$name.ibus"
if command -v ibus-table-createdb >/dev/null; then
  rm -f "$name.db"
  ibus-table-createdb -s "$name.ibus" -n "$name.db" >/dev/null 2>&1 || fail "ibus-table-createdb failed"
  sed -n '/^BEGIN_TABLE/,/^END_TABLE/p' "$name.ibus" | sed '1d;$d' | cut -f1,2 | bycode >want.txt
  python3 - "$name.db" >got.txt <<'PY'
import sqlite3, sys
for code, text in sqlite3.connect(sys.argv[1]).execute(
        "select tabkeys, phrase from phrases order by tabkeys, freq desc, id"):
    print(f"{code}\t{text}")
PY
  bycode <got.txt >got.sorted; same ibus want.txt got.sorted
fi
run rime "$name.dict.yaml"
if command -v rime_deployer >/dev/null; then
  mkdir -p "rime-$name" && cp "$name.dict.yaml" "$name.schema.yaml" "rime-$name/"
  (cd "rime-$name" && rime_deployer --compile "$name.schema.yaml" . . build >deploy.log 2>&1) ||
    fail "rime_deployer failed"
  grep -q "^E" "rime-$name/deploy.log" && fail "rime_deployer reported errors"
  echo "export-peers: $name rime: built"
fi
