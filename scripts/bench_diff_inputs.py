#!/usr/bin/env python3
"""Writes the inputs of the /d and /m rows of scripts/bench.sh.

    python3 scripts/bench_diff_inputs.py FOLDER

FOLDER holds phrases-full.txt (scripts/bench_inputs.py) and wubi.txt (Mabrel
/iChineseGB of rime's wubi86.dict.yaml). Writes:

  phrases-changed.txt  phrases-full.txt with 1,000 phrases changed (the last
                       character of every 250th phrase replaced)
  wubi-changed.txt     wubi.txt with 1,000 code lines changed (their first
                       character replaced)
  device.txt           a ChineseGB list of the first 20,000 phrases of
                       phrases-full.txt that ChineseGB can write
  user.txt             500 user phrases for it: 250 of those, 250 new ones

Fixed seed: every run writes the same bytes. Standard library only.
"""

import os
import random
import sys

CHANGES = 1000
REPLACEMENT = "\u5416"  # a character of ChineseGB that no other phrase takes last


def phrase_lines(lines):
    """The positions of the lines after [Phrase] that hold a phrase."""
    start = next(k for k, line in enumerate(lines) if line.strip() == "[Phrase]")
    return [k for k in range(start + 1, len(lines)) if lines[k] and not lines[k].startswith("//")]


def changed_every(lines, positions, change):
    step = len(positions) // CHANGES
    for k in positions[::step][:CHANGES]:
        lines[k] = change(lines[k])
    return lines


def writes_in_gb(data):
    try:
        data.decode("gb2312")
        return True
    except UnicodeDecodeError:
        return False


def main():
    if len(sys.argv) != 2:
        raise SystemExit(__doc__)
    folder = sys.argv[1]
    rng = random.Random(20261210)
    # The list's bytes one to one as text: a character is two of them.
    with open(os.path.join(folder, "phrases-full.txt"), encoding="latin-1") as source:
        lines = source.read().split("\n")
    positions = phrase_lines(lines)
    last = REPLACEMENT.encode("gb2312").decode("latin-1")
    changed = changed_every(lines[:], positions, lambda line: line[:-2] + last)
    with open(os.path.join(folder, "phrases-changed.txt"), "w", encoding="latin-1") as out:
        out.write("\n".join(changed))

    held = [lines[k].encode("latin-1") for k in positions]
    held = [phrase.decode("gb2312") for phrase in held if writes_in_gb(phrase)][:20000]
    with open(os.path.join(folder, "device.txt"), "w", encoding="gb2312") as out:
        out.write("[Description]\nCharSet=ChineseGB\nMaxPhraseLength=4\n\n[Phrase]\n")
        out.write("\n".join(held) + "\n")
    characters = sorted({c for phrase in held for c in phrase})
    known = set(held)
    fresh = set()
    while len(fresh) < 250:
        phrase = "".join(rng.choice(characters) for _ in range(rng.randint(2, 4)))
        if phrase not in known:
            fresh.add(phrase)
    with open(os.path.join(folder, "user.txt"), "w", encoding="utf-8") as out:
        out.write("\n".join(rng.sample(held, 250) + sorted(fresh)) + "\n")

    with open(os.path.join(folder, "wubi.txt"), encoding="utf-8") as source:
        wubi = source.read().split("\n")
    start = wubi.index("[Text]")
    codes = [k for k in range(start + 1, len(wubi)) if " " in wubi[k]]
    wubi = changed_every(wubi, codes, lambda line: line[: line.index(" ") + 1] + REPLACEMENT)
    with open(os.path.join(folder, "wubi-changed.txt"), "w", encoding="utf-8") as out:
        out.write("\n".join(wubi))


if __name__ == "__main__":
    main()
