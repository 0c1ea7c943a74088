#!/usr/bin/env python3
"""Prints the tables of scripts/bench.sh from its measurements.

    python3 scripts/bench_report.py RESULTS.tsv [INPUTS.tsv]

RESULTS.tsv holds one line per measured run: name, size (half, full or
twice), CPU time in microseconds (user + system), peak resident memory in KiB.
INPUTS.tsv holds the input size in bytes of each import run (name, size,
bytes), for the memory targets of the imports.
Every figure printed is the median over the rounds. Standard library only.
"""

import statistics
import sys

RUNS = (
    ("mabrel-shapes", "Mabrel   style-1 shape table"),
    ("txt2mb-shapes", "txt2mb   same table (reference)"),
    ("mabrel-pinyin", "Mabrel   style-2 syllable table"),
    ("tosker-t2d", "Tosker   phrase list -> database"),
    ("tosker-d2t", "Tosker   database -> phrase list"),
    ("sort-u", "sort -u  phrase list (reference)"),
    ("import-cin", "Mabrel /i generated .cin"),
    ("import-cin-fit", "Mabrel /f what it wrote"),
    ("hime-cin", "hime-cin2gtab same .cin (reference)"),
    ("import-wubi", "Mabrel /i wubi86.dict.yaml"),
    ("import-words", "Tosker /i weighted word list"),
    ("sort-words", "sort -u  same list (reference)"),
)
SIZES = ("half", "full", "twice")
# Mabrel /t: 100,000 piped lookups in each real table (the size column names it).
LOOKUP_TABLES = ("wubi86", "cangjie5", "luna_pinyin")


def main():
    if len(sys.argv) not in (2, 3):
        raise SystemExit(__doc__)
    inputs = {}
    if len(sys.argv) == 3:
        with open(sys.argv[2]) as lines:
            for line in lines:
                name, size, size_bytes = line.split("\t")
                inputs[(name, size)] = int(size_bytes) / 1048576.0
    cpu = {}
    rss = {}
    with open(sys.argv[1]) as results:
        for line in results:
            name, size, cpu_us, rss_kb = line.split("\t")
            cpu.setdefault((name, size), []).append(int(cpu_us) / 1000.0)
            rss.setdefault((name, size), []).append(int(rss_kb) / 1024.0)
    rounds = min(len(values) for values in cpu.values())

    def ms(name, size):
        return statistics.median(cpu[(name, size)])

    def mib(name, size):
        return statistics.median(rss[(name, size)])

    def growth(name):
        return ms(name, "twice") / ms(name, "half")

    def cell(function, name, size, width):
        return f"{function(name, size):{width}.1f}" if (name, size) in cpu else f"{'-':>{width}}"

    print(f"Median of {rounds} rounds. CPU time = user + system, in ms; peak memory = max RSS, "
          "in MiB.")
    print(f"{'':34}{'CPU half':>10}{'full':>10}{'twice':>10}{'growth':>9}"
          f"{'RSS half':>10}{'full':>8}{'twice':>8}")
    runs = [(name, label) for name, label in RUNS if (name, "full") in cpu]
    for name, label in runs:
        shown = f"{growth(name):9.2f}" if (name, "twice") in cpu else f"{'-':>9}"
        print(f"{label:34}" + "".join(cell(ms, name, s, 10) for s in SIZES) + shown +
              "".join(cell(mib, name, s, w) for s, w in zip(SIZES, (10, 8, 8))))
    print("growth = CPU time at twice the size / CPU time at half the size")
    print()
    print(f"{'Mabrel /t, 100,000 piped lookups':34}{'CPU ms':>10}{'RSS MiB':>10}")
    for table in LOOKUP_TABLES:
        print(f"{'  ' + table:34}{ms('mabrel-lookup', table):10.1f}"
              f"{mib('mabrel-lookup', table):10.1f}")

    targets = [
        ("Mabrel style 1 CPU / txt2mb CPU", ms("mabrel-shapes", "full") / ms("txt2mb-shapes", "full"),
         "<=", 0.8),
        ("Tosker list->db CPU / sort -u CPU", ms("tosker-t2d", "full") / ms("sort-u", "full"),
         "<=", 0.5),
        ("Tosker db->list CPU / sort -u CPU", ms("tosker-d2t", "full") / ms("sort-u", "full"),
         "<=", 0.25),
    ]
    imported = ms("import-cin", "full") + ms("import-cin-fit", "full") \
        if ("import-cin-fit", "full") in cpu else None
    if imported is not None:
        targets.append(("Mabrel /i + /f CPU / hime-cin2gtab CPU",
                        imported / ms("hime-cin", "full"), "<=", 0.75))
        targets.append(("Mabrel /i + /f CPU twice / full",
                        (ms("import-cin", "twice") + ms("import-cin-fit", "twice")) / imported,
                        "<=", 2.25))
    if ("import-cin", "full") in cpu:
        targets.append(("Tosker /i CPU / sort -u CPU", ms("import-words", "full") /
                        ms("sort-words", "full"), "<=", 0.5))
        for name in ("import-cin", "import-wubi", "import-words"):
            if (name, "full") in inputs:
                targets.append((f"peak MiB {name} / (3 x input + 16)", mib(name, "full") /
                                (3 * inputs[(name, "full")] + 16), "<=", 1.0))
    for name, label in RUNS:
        if name.startswith(("mabrel", "tosker")):
            targets.append((f"growth {' '.join(label.split())}", growth(name), "<=", 4.5))
    for name, label in RUNS:
        if name.startswith(("mabrel", "tosker")):
            targets.append((f"peak MiB {' '.join(label.split())}", mib(name, "full"),
                            "<", 16.0))
    for table in LOOKUP_TABLES:
        targets.append((f"Mabrel /t 100,000 lookups {table} CPU s",
                        ms("mabrel-lookup", table) / 1000.0, "<=", 0.5))
    print()
    print(f"{'target (usual size)':46}{'figure':>9}  {'limit':<8}met")
    met = 0
    for label, figure, relation, limit in targets:
        ok = figure <= limit if relation == "<=" else figure < limit
        met += ok
        print(f"{label:46}{figure:9.2f}  {relation + ' ' + format(limit, 'g'):<8}"
              f"{'yes' if ok else 'NO'}")
    print(f"{met} of {len(targets)} targets met")


if __name__ == "__main__":
    main()
