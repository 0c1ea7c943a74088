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
    ("mabrel-version", "Mabrel --version"),
    ("one-line", "static C program, one line"),
    ("import-cin-db", "Mabrel /i generated .cin -> .pdb"),
    ("import-cin", "Mabrel /i generated .cin"),
    ("import-cin-fit", "Mabrel /f what it wrote"),
    ("import-cin-words", "Tosker /f its phrase list"),
    ("libime-cin", "libime_tabledict same (reference)"),
    ("hime-cin", "hime-cin2gtab same .cin (reference)"),
    ("import-wubi-db", "Mabrel /i wubi86.dict.yaml -> .pdb"),
    ("import-wubi", "Mabrel /i wubi86.dict.yaml"),
    ("import-wubi-fit", "Mabrel /f what it wrote"),
    ("import-wubi-words", "Tosker /f its phrase list"),
    ("txt2mb-wubi", "txt2mb   same table (reference)"),
    ("import-words-db", "Tosker /i word list -> .pdb"),
    ("import-words", "Tosker /i weighted word list"),
    ("import-words-fit", "Tosker /f what it wrote"),
    ("sort-words", "sort -u  same list (reference)"),
    ("mabrel-typing", "Mabrel /s wubi86 weighted by essay"),
    ("sort-essay", "sort    essay.txt (reference)"),
)
# An import to databases: one run where the tools import straight to a .pdb,
# else the import to text and the compiles of what it wrote.
IMPORT_STEPS = ("-db",), ("", "-fit", "-words")
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

    def import_ms(name, size):
        """CPU time of an import to databases: the sum of its steps."""
        for steps in IMPORT_STEPS:
            if (name + steps[0], size) in cpu:
                return sum(ms(name + step, size) for step in steps if (name + step, size) in cpu)
        return None

    def import_mib(name, size):
        """Peak memory of an import to databases: the largest of its steps."""
        for steps in IMPORT_STEPS:
            if (name + steps[0], size) in cpu:
                return max(mib(name + step, size) for step in steps if (name + step, size) in cpu)
        return None

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
         "<=", 0.7),
        ("Tosker list->db CPU / sort -u CPU", ms("tosker-t2d", "full") / ms("sort-u", "full"),
         "<=", 0.4),
        ("Tosker db->list CPU / sort -u CPU", ms("tosker-d2t", "full") / ms("sort-u", "full"),
         "<=", 0.2),
    ]
    if ("mabrel-typing", "full") in cpu:
        targets.append(("Mabrel /s weighted CPU / sort CPU",
                        ms("mabrel-typing", "full") / ms("sort-essay", "full"), "<=", 1.0))
    if ("mabrel-version", "full") in cpu:
        targets.append(("Mabrel --version CPU / static C CPU",
                        ms("mabrel-version", "full") / ms("one-line", "full"), "<=", 1.3))
    for name, reference, label, limit in (
            ("import-cin", "libime-cin", ".cin -> db CPU / libime_tabledict", 0.5),
            ("import-wubi", "txt2mb-wubi", "wubi86 -> db CPU / txt2mb", 0.6),
            ("import-words", "sort-words", "Tosker /i -> db CPU / sort -u", 0.4)):
        if import_ms(name, "full") is not None and (reference, "full") in cpu:
            targets.append((label, import_ms(name, "full") / ms(reference, "full"), "<=", limit))
        if name == "import-cin" and import_mib(name, "full") is not None:
            targets.append((".cin -> db peak MiB / libime_tabledict's",
                            import_mib(name, "full") / mib(reference, "full"), "<=", 1.0))
    for name in ("import-cin", "import-words"):
        if import_ms(name, "twice") is not None:
            targets.append((f"{name} -> db CPU twice / full",
                            import_ms(name, "twice") / import_ms(name, "full"), "<=", 2.1))
    if ("import-cin", "full") in cpu:
        for name in ("import-cin", "import-wubi", "import-words"):
            if (name, "full") in inputs:
                targets.append((f"peak MiB {name} / (3 x input + 16)", mib(name, "full") /
                                (3 * inputs[(name, "full")] + 16), "<=", 1.0))
    compiles = [(name, label) for name, label in RUNS
                 if name.startswith(("mabrel", "tosker"))
                 and name not in ("mabrel-version", "mabrel-typing")]
    for name, label in compiles:
        if (name, "half") in cpu and (name, "twice") in cpu:
            targets.append((f"growth {' '.join(label.split())}", growth(name), "<=", 4.5))
    for name, label in compiles:
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
