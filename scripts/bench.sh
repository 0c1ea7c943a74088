#!/usr/bin/env bash
# Benchmark of Mabrel and Tosker: CPU time and peak memory on generated inputs,
# compared with txt2mb (fcitx-tools) on the same input-method table and with
# `LC_ALL=C sort -u` on the same phrase list; the start-up (`Mabrel --version`
# against a static C program that prints one line, scripts/bench_one_line.c);
# their imports to a database (/i, then /f of what it wrote, or /i straight to
# a .pdb where the tools have it): a generated .cin against libime_tabledict
# (libime-bin) and hime-cin2gtab (hime) on the same table, rime's
# wubi86.dict.yaml (rime-data-wubi) against txt2mb on the same table, a
# generated weighted word list against `LC_ALL=C sort -u` on the same list;
# 100,000 piped lookups of `Mabrel /t` in each of three real tables (rime's
# Wubi 86, Cangjie 5 and luna pinyin single characters in GBK); and `Mabrel /s`
# of that Wubi 86 weighted by rime's essay.txt against `LC_ALL=C sort` of
# essay.txt; and the differences and the merge (the "diff" section below,
# which `scripts/bench.sh diff` runs alone). Not a test, and not run by CI.
#
#   scripts/bench.sh [statistics | diff]
#
# With "statistics", the row of Mabrel /s weighted by essay.txt alone; with
# "diff", the differences and the merge alone.
#
# BENCH_ROUNDS (default 9) measured rounds after one unmeasured warm-up round;
# BENCH_DIR (default build-bench/bench) the scratch folder, emptied first;
# BENCH_BUILD a Release build folder to measure (built, not configured)
# instead of build-bench. Builds the tools, installs what is missing, writes
# the inputs with scripts/bench_inputs.py (fixed seeds), runs every program in
# turn, round after round, and prints medians with their targets
# (scripts/bench_report.py). Every run must end with exit status 0 and its
# success line; otherwise the benchmark stops and shows the run's output.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
rounds=${BENCH_ROUNDS:-9}
work=${BENCH_DIR:-$root/build-bench/bench}
section=${1:-all}
case "$section" in all | statistics | diff) ;; *) echo "bench: the sections are all, statistics and diff" >&2; exit 2 ;; esac
case "$rounds" in '' | *[!0-9]* | 0) echo "bench: BENCH_ROUNDS must be a positive number" >&2; exit 2 ;; esac

need=()
command -v cmake >/dev/null || need+=(cmake)
command -v g++ >/dev/null || need+=(g++)
command -v cc >/dev/null || need+=(gcc)
command -v python3 >/dev/null || need+=(python3)
command -v iconv >/dev/null || need+=(libc-bin)
command -v txt2mb >/dev/null || need+=(fcitx-tools)
command -v hime-cin2gtab >/dev/null || need+=(hime)
command -v libime_tabledict >/dev/null || need+=(libime-bin)
rime=/usr/share/rime-data
lookup_tables=(wubi86 cangjie5 luna_pinyin)
[ -f $rime/wubi86.dict.yaml ] || need+=(rime-data-wubi)
[ -f $rime/cangjie5.dict.yaml ] || need+=(rime-data-cangjie5)
[ -f $rime/luna_pinyin.dict.yaml ] || need+=(rime-data-luna-pinyin)
[ -f $rime/essay.txt ] || need+=(rime-essay)
if [ ${#need[@]} -gt 0 ]; then
  echo "bench: installing ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${need[@]}" >/dev/null
fi

build=${BENCH_BUILD:-build-bench}
echo "bench: building (Release) in $build"
[ -n "${BENCH_BUILD:-}" ] || cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DCJK_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target Mabrel Tosker >/dev/null
build=$(cd "$build" && pwd)
mabrel=$build/ime/Mabrel
tosker=$build/phrase/Tosker
helper=$build/bench_rusage
one_line=$build/bench_one_line
cc -O2 -Wall -Werror -o "$helper" scripts/bench_rusage.c
cc -O2 -static -Wall -Werror -o "$one_line" scripts/bench_one_line.c

# run NAME SIZE CHECKS COMMAND...: one run in the scratch folder. CHECKS holds
# lines that the run's output must contain (an empty string checks nothing).
# A run whose status is in OK_STATUSES (default 0) succeeds.
run() {
  local name=$1 size=$2 checks=$3
  shift 3
  local log=$work/logs/$name-$size.log user sys rss status pattern
  read -r user sys rss status < <(cd "$work" && "$helper" "$log" "$@")
  local failed=
  [[ " ${OK_STATUSES:-0} " == *" ${status:-x} "* ]] || failed="exit status ${status:-unknown}"
  while [ -z "$failed" ] && IFS= read -r pattern; do
    [ -z "$pattern" ] || grep -aqF -- "$pattern" "$log" || failed="no \"$pattern\" in its output"
  done <<<"$checks"
  if [ -n "$failed" ]; then
    echo "bench: $name on the $size input failed ($failed): $*" >&2
    echo "bench: the end of its output ($log):" >&2
    tr '\r' '\n' <"$log" | grep -av '^[-|/\\ ]*$' | tail -n 15 >&2
    exit 1
  fi
  if [ "$measure" = 1 ]; then
    printf '%s\t%s\t%s\t%s\n' "$name" "$size" "$((user + sys))" "$rss" >>"$results"
  fi
}

# "scripts/bench.sh statistics": the row of Mabrel /s of Wubi 86 weighted by
# essay.txt alone, against LC_ALL=C sort of essay.txt in the same rounds.
if [ "$section" = statistics ]; then
  rm -rf "$work"
  mkdir -p "$work/logs"
  python3 scripts/rime_source.py "$rime/wubi86.dict.yaml" wubi86 "$work/wubi86.txt" \
    "$work/wubi86-lookups.txt" 1 >/dev/null
  (cd "$work" && "$mabrel" wubi86.txt wubi86.pdb >logs/wubi86-compile.log)
  results=$work/results.tsv
  : >"$results"
  for ((r = 0; r <= rounds; r++)); do
    measure=$((r > 0))
    run mabrel-typing full "Keys per character" "$mabrel" /s wubi86.pdb "$rime/essay.txt"
    LC_ALL=C run sort-essay full "" sort "$rime/essay.txt" -o essay-sorted.txt
  done
  python3 - "$results" "$rounds" <<'PY'
import statistics, sys
cpu = {}
for line in open(sys.argv[1]):
    name, _, cpu_us, _ = line.split("\t")
    cpu.setdefault(name, []).append(int(cpu_us) / 1000.0)
typing, sort = (statistics.median(cpu[name]) for name in ("mabrel-typing", "sort-essay"))
figure = typing / sort
print(f"Median of {sys.argv[2]} rounds: Mabrel /s weighted {typing:.1f} ms CPU, "
      f"sort essay.txt {sort:.1f} ms; {figure:.2f} <= 1: {'yes' if figure <= 1 else 'NO'}")
PY
  exit 0
fi

# The diff section: Tosker /m of the usual 260,000-phrase list with a device
# database of 500 user phrases (250 of them the list's), Tosker /d of that
# list against itself with 1,000 phrases changed, and Mabrel /d of rime's
# Wubi 86 imported and fitted for ChineseGB against the same with 1,000 code
# lines changed (both databases); each row's median CPU time against its limit.
diff_section() {
  local folder=$work/diff r
  mkdir -p "$folder/logs"
  python3 scripts/bench_inputs.py "$folder" >/dev/null
  (
    cd "$folder"
    "$mabrel" /iChineseGB "$rime/wubi86.dict.yaml" wubi.txt >logs/wubi-import.log
    python3 "$root/scripts/bench_diff_inputs.py" .
    "$mabrel" /f wubi.txt wubi.pdb >logs/wubi-fit.log
    "$mabrel" /f wubi-changed.txt wubi-changed.pdb >logs/wubi-changed-fit.log
    "$tosker" device.txt device-base.pdb >logs/device.log
    python3 "$root/scripts/give-user-phrases.py" device-base.pdb device.pdb user.txt
  )
  local work=$folder results=$folder/results.tsv measure
  : >"$results"
  for ((r = 0; r <= rounds; r++)); do
    measure=$((r > 0 ? 1 : 0))
    run tosker-merge full "250 user phrases added, 250 already in the list" \
      "$tosker" /m phrases-full.txt device.pdb merged.txt
    OK_STATUSES=1 run tosker-diff full "phrases added, 1000 removed" \
      "$tosker" /d phrases-full.txt phrases-changed.txt
    OK_STATUSES=1 run mabrel-diff full "999 codes differ" "$mabrel" /d wubi.pdb wubi-changed.pdb
  done
  echo
  echo "Differences and merge (median of $rounds rounds): CPU s, limit, peak KiB"
  python3 - "$results" <<'REPORT'
import statistics, sys
rows = {}
for line in open(sys.argv[1]):
    name, _, cpu, rss = line.split("\t")
    rows.setdefault(name, []).append((int(cpu) / 1e6, int(rss)))
for name, limit in (("tosker-merge", 1.0), ("tosker-diff", 1.0), ("mabrel-diff", 0.2)):
    cpu = statistics.median(c for c, _ in rows[name])
    rss = statistics.median(r for _, r in rows[name])
    print(f"  {name:14} {cpu:7.3f}  {limit:4.1f}  {rss:8.0f}  {'ok' if cpu <= limit else 'OVER'}")
REPORT
}

if [ "$section" = diff ]; then
  rm -rf "$work"
  mkdir -p "$work/logs"
  diff_section
  exit 0
fi

rm -rf "$work"
mkdir -p "$work/logs"
echo "bench: writing the inputs into $work"
python3 scripts/bench_inputs.py "$work"
python3 scripts/bench_import_inputs.py "$work"
# The compile after an import of the generated .cin needs /f, when Mabrel has
# it; an import straight to a database replaces the import and the compiles.
fits=0
"$mabrel" /? | grep -q '^Mabrel /f' && fits=1
to_database=0
"$mabrel" /? | grep -q '^Mabrel /i Table Dest.pdb' &&
  "$tosker" /? | grep -q '^Tosker /i List Dest.pdb' && to_database=1

sizes=(half full twice)
declare -A pairs phrases
for size in "${sizes[@]}"; do
  # txt2mb reads a header (KeyCode= the code letters, Length= the longest
  # code), then after [Data] one "code characters" line per record, in UTF-8.
  {
    printf 'KeyCode=abcdefghijklmnopqrstuvwxyz\nLength=4\n[Data]\n'
    sed -e '1,/^\[Text\]/d' -e 's/\r$//' "$work/shapes-$size.txt" | iconv -f GB2312 -t UTF-8
  } >"$work/shapes-$size.fcitx.txt"
  pairs[$size]=$(($(wc -l <"$work/shapes-$size.fcitx.txt") - 3))
  phrases[$size]=$(($(wc -l <"$work/phrases-$size.txt") - 4))
  # libime_tabledict reads the same header, then after [Data] one "code word"
  # line per entry, in UTF-8: the lines of the .cin's chardef block.
  {
    printf 'KeyCode=abcdefghijklmnopqrstuvwxyz\nLength=5\n[Data]\n'
    sed -e '1,/^%chardef begin/d' -e '/^%chardef end/,$d' "$work/cin-$size.cin"
  } >"$work/cin-$size.libime.txt"
done
# rime's Wubi 86 for txt2mb: "text<TAB>code<TAB>weight..." after the line
# "..." becomes "code text" (the comment lines left out).
{
  printf 'KeyCode=abcdefghijklmnopqrstuvwxyz\nLength=4\n[Data]\n'
  sed -e '1,/^\.\.\./d' "$rime/wubi86.dict.yaml" |
    awk -F '\t' '!/^#/ && NF >= 2 && $2 != "" { print $2 " " $1 }'
} >"$work/wubi.fcitx.txt"
wubi_records=$(($(wc -l <"$work/wubi.fcitx.txt") - 3))
inputs=$work/inputs.tsv
for size in "${sizes[@]}"; do
  printf 'import-cin\t%s\t%s\n' "$size" "$(stat -c %s "$work/cin-$size.cin")"
  printf 'import-wubi\t%s\t%s\n' "$size" "$(stat -c %s /usr/share/rime-data/wubi86.dict.yaml)"
  printf 'import-words\t%s\t%s\n' "$size" "$(stat -c %s "$work/words-$size.txt")"
done >"$inputs"

# The real tables for the lookups: each compiled once, with 100,000 lookup
# lines (codes, characters and check lines that all hold).
for table in "${lookup_tables[@]}"; do
  python3 scripts/rime_source.py "$rime/$table.dict.yaml" "$table" "$work/$table.txt" \
    "$work/$table-lookups.txt" 100000 >/dev/null
  (cd "$work" && "$mabrel" "$table.txt" "$table.pdb" >"logs/$table-compile.log") || {
    echo "bench: $table.txt does not compile: see $work/logs/$table-compile.log" >&2
    exit 1
  }
done

results=$work/results.tsv
: >"$results"

# import_table NAME SIZE TOOL TABLE STEM [CHARSET]: a table or list to databases,
# straight (/i to STEM.pdb) where the tools have it, else to text (NAME, to
# STEM.txt), then /f of that text (NAME-fit) and, when it wrote one, Tosker /f
# of its phrase list (NAME-words).
import_table() {
  local name=$1 size=$2 tool=$3 table=$4 stem=$5 charset=${6:-}
  local program=$mabrel fit=$mabrel
  [ "$tool" = tosker ] && program=$tosker fit=$tosker
  if [ "$to_database" = 1 ]; then
    run "$name-db" "$size" "Convert OK." "$program" "/i$charset" "$table" "$stem.pdb"
    return
  fi
  rm -f "$work/$stem-phrases.txt"
  run "$name" "$size" "Convert OK." "$program" "/i$charset" "$table" "$stem.txt"
  if [ "$fits" = 1 ]; then
    run "$name-fit" "$size" "Convert OK." "$fit" /f "$stem.txt" "$stem.pdb"
    if [ -f "$work/$stem-phrases.txt" ]; then
      run "$name-words" "$size" "Convert OK." "$tosker" /f "$stem-phrases.txt" "$stem-phrases.pdb"
    fi
  fi
}

# The start-up: runs of a few milliseconds, so each round takes 25 of each,
# one after the other.
startup() {
  local turn
  for ((turn = 0; turn < 25; turn++)); do
    run mabrel-version full "Version 2.0" "$mabrel" --version
    run one-line full "One line" "$one_line"
  done
}

round() {
  startup
  local size
  for size in "${sizes[@]}"; do
    run mabrel-shapes "$size" "Convert OK." "$mabrel" "shapes-$size.txt" "shapes-$size.pdb"
    run txt2mb-shapes "$size" "Reading ${pairs[$size]} records." \
      txt2mb "shapes-$size.fcitx.txt" "shapes-$size.mb"
    run mabrel-pinyin "$size" "Convert OK." "$mabrel" "pinyin-$size.txt" "pinyin-$size.pdb"
    run tosker-t2d "$size" $'Total '"${phrases[$size]}"$' phrases\nConvert OK.' \
      "$tosker" "phrases-$size.txt" "phrases-$size.pdb"
    run tosker-d2t "$size" "Convert OK." "$tosker" "phrases-$size.pdb" "phrases-$size-back.txt"
    grep -qxF "//Total ${phrases[$size]} phrases" "$work/phrases-$size-back.txt" || {
      echo "bench: phrases-$size-back.txt does not hold ${phrases[$size]} phrases" >&2
      exit 1
    }
    LC_ALL=C run sort-u "$size" "" sort -u "phrases-$size.txt" -o "phrases-$size-sorted.txt"
    import_table import-cin "$size" mabrel "cin-$size.cin" "cin-$size"
    run libime-cin "$size" "" libime_tabledict "cin-$size.libime.txt" "cin-$size.dict"
    # hime-cin2gtab crashes (signal 11) on the 2,000,000-entry table, and
    # takes seconds: it is measured at the usual size, for reference.
    if [ "$size" = full ]; then
      run hime-cin "$size" "" hime-cin2gtab "cin-$size.cin"
      # One table, the same at every size.
      import_table import-wubi "$size" mabrel "$rime/wubi86.dict.yaml" wubi ChineseGB
      run txt2mb-wubi "$size" "Reading $wubi_records records." txt2mb wubi.fcitx.txt wubi.mb
    fi
    import_table import-words "$size" tosker "words-$size.txt" "words-$size-list"
    LC_ALL=C run sort-words "$size" "" sort -u "words-$size.txt" -o "words-$size-sorted.txt"
  done
  local table
  for table in "${lookup_tables[@]}"; do
    run mabrel-lookup "$table" "33333 checks, 0 failed" \
      sh -c 'exec "$0" /t "$1" <"$2"' "$mabrel" "$table.pdb" "$table-lookups.txt"
  done
  # The statistics of Wubi 86 weighted by essay.txt, against sorting essay.txt.
  run mabrel-typing full "Keys per character" "$mabrel" /s wubi86.pdb "$rime/essay.txt"
  LC_ALL=C run sort-essay full "" sort "$rime/essay.txt" -o essay-sorted.txt
}

echo "bench: warm-up round"
measure=0
round
measure=1
for ((r = 1; r <= rounds; r++)); do
  echo "bench: round $r of $rounds"
  round
done

echo
cpu=$(grep -m1 '^model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
memory=$(awk '/^MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)
echo "Machine: $(nproc) cores, $cpu, $memory memory"
echo "Code: $(git rev-parse --short HEAD 2>/dev/null || echo unknown)$(git diff --quiet HEAD -- ime phrase foundation 2>/dev/null || echo ' (with local changes)')"
python3 scripts/bench_report.py "$results" "$inputs"
diff_section
