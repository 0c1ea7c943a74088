# Sourced by real-tables.sh and all-tables.sh: the kind of a desktop table
# and its text as the table's own tool dumps it.

# table_kind TABLE: gtab, mb, dict, scim or db (by the name the package gives).
table_kind() {
  case $1 in
    *.gtab) echo gtab ;;
    *.mb) echo mb ;;
    *.dict) echo dict ;;
    *.bin) echo scim ;;
    *.db) echo db ;;
  esac
}

# dump_form KIND: how table-pairs.py reads the dump of that kind.
dump_form() {
  case $1 in
    gtab) echo cin ;;
    mb | dict) echo fcitx ;;
    *) echo scim ;;
  esac
}

table_dump_scripts=$(dirname "${BASH_SOURCE[0]}")

# dump_table KIND TABLE OUT: writes OUT as the table's own tool gives it.
# Where hime-gtab2cin fails (it stops at the first bytes that are not UTF-8),
# the .gtab itself is the reference, read by gtab-cin.py; it says so on
# standard error.
dump_table() {
  case $1 in
    gtab) hime-gtab2cin -i "$2" -o "$3" >/dev/null 2>&1 || {
      echo "hime-gtab2cin failed: the .gtab read by gtab-cin.py" >&2
      "$table_dump_scripts/gtab-cin.py" "$2" >"$3"
    } ;;
    mb) mb2txt "$2" >"$3" ;;
    dict) libime_tabledict -d "$2" "$3" ;;
    scim) scim-make-table "$2" -o "$3" >/dev/null ;;
    db) python3 -c 'import sqlite3, sys
print("BEGIN_TABLE")
for row in sqlite3.connect(sys.argv[1]).execute(
        "SELECT tabkeys, phrase, freq FROM phrases ORDER BY freq DESC, id ASC"):
    print("\t".join(map(str, row)))
print("END_TABLE")' "$2" >"$3" ;;
  esac
}
