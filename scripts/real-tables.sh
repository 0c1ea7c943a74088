#!/usr/bin/env bash
# Imports real desktop tables and word lists and compiles what they give:
# rime's Wubi 86, Cangjie 5 and luna pinyin with Mabrel /iChineseGB, their
# phrase lists with Tosker /f, rime's essay.txt with Tosker /iChineseGBK and
# /f; then the end-to-end test that every GB 2312 pair of Wubi 86 comes back
# from the compiled database, and the lookup console answering a code, a
# character and a check line of each table; the exports of the bundled
# examples and of Wubi 86 with its phrases built by each engine's own tool
# (scripts/export-peers.sh), each export imported back to the same code
# tables, and Wubi 86's word codes from its rules against rime's own
# (scripts/wubi-word-codes.py); every fcitx 5 table installed read as
# libime_tabledict -d dumps it (as saved and zstd-compressed), imported and
# compiled; one table of each binary format the desktops install (hime and
# gcin .gtab, fcitx 4 .mb, unpacked from its package where fcitx 4 is not
# installable, fcitx 5 .main.dict, SCIM binary, ibus-table .db), and those
# with codes of "%" and "#" or more than 65,535 words,
# imported, their pairs checked against their own dumper's text
# (scripts/table-pairs.py; gcin's NewCJ3.gtab, which hime-gtab2cin cannot
# dump, against scripts/gtab-cin.py's), and compiled. Installs the Debian
# packages it needs (as root); run by CI.
#
#   scripts/real-tables.sh [BUILD_DIR]      (default build-release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-release}
rime=/usr/share/rime-data

need=()
fcitx5_tables=(libime-bin libime-data zstd fcitx5-table-amharic fcitx5-table-arabic
  fcitx5-table-cns11643 fcitx5-table-compose fcitx5-table-emoji fcitx5-table-ipa-x-sampa
  fcitx5-table-latex fcitx5-table-malayalam-phonetic fcitx5-table-rustrad
  fcitx5-table-tamil-remington fcitx5-table-thai fcitx5-table-translit fcitx5-table-translit-ua
  fcitx5-table-viqr fcitx5-table-yawerty)
desktop_tables=(hime hime-tables gcin-tables scim-modules-table scim-tables-zh scim-tables-ja
  ibus-table ibus-table-cangjie5 ibus-table-latex fcitx-tools)
for package in rime-data-wubi rime-data-cangjie5 rime-data-luna-pinyin rime-essay "${fcitx5_tables[@]}" \
  "${desktop_tables[@]}"; do
  dpkg -s "$package" >/dev/null 2>&1 || need+=("$package")
done
if [ ${#need[@]} -gt 0 ]; then
  echo "real-tables: installing ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${need[@]}" >/dev/null
fi

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCJK_BUILD_TESTS=ON >/dev/null
cmake --build "$build" -j2 >/dev/null
mabrel=$PWD/$build/ime/Mabrel
tosker=$PWD/$build/phrase/Tosker
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# check NAME COMMAND...: the run must end with status 0 and "Convert OK.";
# a compile (CHECK_QUIET=1) must print no numbered message.
check() {
  local name=$1
  shift
  if ! (cd "$work" && "$@") >"$work/$name.log"; then
    echo "real-tables: $name failed: $*" >&2
    tail -n 15 "$work/$name.log" >&2
    exit 1
  fi
  grep -q 'Convert OK.' "$work/$name.log" || { echo "real-tables: $name did not finish" >&2; exit 1; }
  if [ "${CHECK_QUIET:-0}" = 1 ] && grep -q $'\a' "$work/$name.log"; then
    echo "real-tables: $name printed messages:" >&2
    grep -a $'\a' "$work/$name.log" | head >&2
    exit 1
  fi
  tr '\r' '\n' <"$work/$name.log" | grep -av '^[-|/\\ ]*$' | grep -a -e 'kept' -e 'left out' -e 'Note' -e 'Total' || true
}

for table in wubi86 cangjie5 luna_pinyin; do
  echo "== $table"
  check "$table-import" "$mabrel" /iChineseGB "$rime/$table.dict.yaml" "$table.txt"
  CHECK_QUIET=1 check "$table-compile" "$mabrel" "$table.txt" "$table.pdb"
  # The first line of [Text] read back as a check line, its code as a code
  # line and its first character as a character line.
  line=$(sed -n '/^\[Text\]/,$p' "$work/$table.txt" | sed -n '2p')
  code=${line%% *}
  first=$(python3 -c 'import sys; print(sys.argv[1][0])' "${line#* }")
  answer=$(printf '%s\n%s\n%s\n' "$line" "$code" "$first" | "$mabrel" /t "$work/$table.pdb")
  for expected in "$code: " "$first: " "1 check, 0 failed"; do
    grep -qF -- "$expected" <<<"$answer" || { echo "real-tables: $table lookup lacks \"$expected\"" >&2; echo "$answer" >&2; exit 1; }
  done
  if [ -f "$work/$table-phrases.txt" ]; then
    check "$table-phrases" "$tosker" /f "$table-phrases.txt" "$table-phrases.pdb"
  fi
done
echo "== exports checked by the engines' own tools"
cp examples/* "$work/"
for example in shapes pinyin kana; do
  scripts/export-peers.sh "$mabrel" "$work" "$example" "$example.txt"
done
scripts/export-peers.sh "$mabrel" "$work" wubi86-export wubi86.txt wubi86-phrases.pdb
scripts/wubi-word-codes.py "$work/wubi86-export.dict.yaml" "$rime/wubi86.dict.yaml"
check cangjie5-big5-import "$mabrel" /iChineseBIG5 "$rime/cangjie5.dict.yaml" cangjie5-big5.txt
scripts/export-peers.sh "$mabrel" "$work" cangjie5-big5-export cangjie5-big5.txt
scripts/export-peers.sh "$mabrel" "$work" luna_pinyin-export luna_pinyin.txt
echo "== essay.txt"
check essay-import "$tosker" /iChineseGBK "$rime/essay.txt" essay.txt
check essay-compile "$tosker" /f essay.txt essay.pdb

echo "== fcitx 5 tables"
"$build/tests/e2e_tests" --gtest_filter='LibimeTables.*' | tail -n 1
imported=0
unwritten=0
for table in /usr/share/libime/*.main.dict /usr/share/fcitx5/table/*.main.dict; do
  name=fcitx5-$(basename "$table" .main.dict)
  if (cd "$work" && "$mabrel" /i "$table" "$name.txt") >"$work/$name.log"; then
    check "$name-compile" "$mabrel" /f "$name.txt" "$name.pdb" >/dev/null
    imported=$((imported + 1))
  elif grep -q 'Message 510' "$work/$name.log"; then
    # Its script (Thai, Arabic, ...) is in no CharSet of the handheld.
    unwritten=$((unwritten + 1))
  else
    echo "real-tables: $name failed" >&2
    tail -n 15 "$work/$name.log" >&2
    exit 1
  fi
done
echo "real-tables: $imported fcitx 5 tables imported and compiled, $unwritten with no character a CharSet writes"

echo "== one table of each binary format, against its own dumper"
. scripts/table-dump.sh
fcitx4=/usr/share/fcitx/table
if [ ! -f "$fcitx4/wbx.mb" ]; then
  # fcitx 4's table packages conflict with fcitx 5's: unpacked, not installed.
  fcitx4=$work/fcitx4/usr/share/fcitx/table
  (cd "$work" && apt-get download -qq fcitx-table-wubi fcitx-table-translit 2>/dev/null &&
    for deb in fcitx-table-*.deb; do dpkg-deb -x "$deb" fcitx4; done) ||
    echo "real-tables: fcitx-table-wubi could not be downloaded"
fi
# SCIM's Array30 has characters that Big5 writes alike (U+2215 and U+FF0F);
# ibus's mathwriter has phrases that begin with a blank.
tables=0
for entry in gtab:cin:/usr/share/hime/table/cj.gtab gtab:cin:/usr/share/gcin/table/ar30.gtab \
  gtab:cin:/usr/share/gcin/table/german.gtab gtab:cin:/usr/share/gcin/table/vims.gtab \
  gtab:cin:/usr/share/gcin/table/NewCJ3.gtab mb:fcitx:$fcitx4/wbx.mb mb:fcitx:$fcitx4/translit.mb \
  dict:fcitx:/usr/share/libime/cj.main.dict \
  scim:scim:/usr/share/scim/tables/ZhuYin-Big.bin scim:scim:/usr/share/scim/tables/Nippon.bin \
  scim:scim:/usr/share/scim/tables/Array30.bin db:scim:/usr/share/ibus-table/tables/cangjie5.db \
  db:scim:/usr/share/ibus-table/tables/mathwriter-ibus.db; do
  IFS=: read -r kind form table <<<"$entry"
  [ -f "$table" ] || { echo "real-tables: $table is not installed, passed over"; continue; }
  name=$kind-$(basename "$table" | tr '.' '-')
  cp "$table" "$work/$name.table"
  dump_table "$kind" "$work/$name.table" "$work/$name.dump"
  check "$name-import" "$mabrel" /i "$name.table" "$name.txt"
  grep -a 'Written for' "$work/$name-import.log" | tr -d '\r '
  scripts/table-pairs.py "$form" "$work/$name.dump" "$work/$name.txt"
  check "$name-compile" "$mabrel" /f "$name.txt" "$name.pdb" >/dev/null
  tables=$((tables + 1))
done
echo "real-tables: $tables binary tables imported, checked against their dumps and compiled"

echo "== Wubi 86 property"
"$build/tests/e2e_tests" --gtest_filter='Import.Wubi86KeepsEveryPairOfGB2312'
echo "real-tables: every check passed"
