#!/usr/bin/env python3
"""Writes the inputs of the import rows of scripts/bench.sh (fixed seeds):

    python3 scripts/bench_import_inputs.py FOLDER [SIZE...]

cin-{half,full,twice}.cin: .cin tables of 500,000, 1,000,000 and 2,000,000
entries (codes of 1 to 5 of 26 letters, GB 2312 characters, one word in ten);
words-{half,full,twice}.txt: weighted word lists of 1,500,000, 3,000,000 and
6,000,000 lines ("word<TAB>weight", words of 2 to 6 GB 2312 characters, some
repeated). SIZE (half, full or twice) writes only those sizes. Standard
library only.
"""

import random
import sys

SIZES = {"half": 1, "full": 2, "twice": 4}


def gb2312_hanzi():
    chars = []
    for lead in range(0xB0, 0xF8):
        for trail in range(0xA1, 0xFF):
            try:
                chars.append(bytes((lead, trail)).decode("gb2312"))
            except UnicodeDecodeError:
                pass
    return chars


def write_cin(path, entries, chars, seed):
    rng = random.Random(seed)
    letters = "abcdefghijklmnopqrstuvwxyz"
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write("%gen_inp\n%ename BenchCin\n%cname 测试\n%selkey 1234567890\n")
        out.write("%keyname begin\n")
        for letter in letters:
            out.write(f"{letter} {letter.upper()}\n")
        out.write("%keyname end\n%chardef begin\n")
        for _ in range(entries):
            code = "".join(rng.choice(letters) for _ in range(rng.randint(1, 5)))
            text = rng.choice(chars)
            if rng.random() < 0.1:
                text += rng.choice(chars)
            out.write(f"{code} {text}\n")
        out.write("%chardef end\n")


def write_words(path, lines, chars, seed):
    rng = random.Random(seed)
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        for _ in range(lines):
            word = "".join(rng.choice(chars) for _ in range(rng.randint(2, 6)))
            out.write(f"{word}\t{rng.randint(1, 1000000)}\n")


def main():
    if len(sys.argv) < 2 or not set(sys.argv[2:]) <= set(SIZES):
        raise SystemExit(__doc__)
    folder = sys.argv[1]
    chars = gb2312_hanzi()
    for size, factor in SIZES.items():
        if sys.argv[2:] and size not in sys.argv[2:]:
            continue
        write_cin(f"{folder}/cin-{size}.cin", 500000 * factor, chars, 21 + factor)
        write_words(f"{folder}/words-{size}.txt", 1500000 * factor, chars, 31 + factor)


if __name__ == "__main__":
    main()
