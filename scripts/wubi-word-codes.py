#!/usr/bin/env python3
"""How many word codes of a rime export, made by the input method's rules,
equal a code that rime's own dictionary gives the same word.

    scripts/wubi-word-codes.py EXPORT.dict.yaml RIME.dict.yaml [LEAST_PERCENT]

Exits with 1 when fewer than LEAST_PERCENT (default 99.9) are equal.
"""
import sys


def entries(path):
    """(text, code) of every line after the header's "..."."""
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            if line.rstrip("\n") == "...":
                break
        for line in lines:
            if line.startswith("#"):
                continue
            fields = line.rstrip("\n").split("\t")
            if len(fields) >= 2 and fields[1]:
                yield fields[0], fields[1]


rime_codes = {}
for text, code in entries(sys.argv[2]):
    rime_codes.setdefault(text, set()).add(code)
least = float(sys.argv[3]) if len(sys.argv) > 3 else 99.9
words = equal = 0
for text, code in entries(sys.argv[1]):
    if len(text) < 2 or text not in rime_codes:
        continue
    words += 1
    equal += code in rime_codes[text]
share = 100.0 * equal / words if words else 0.0
print(f"wubi-word-codes: {equal} of {words} word codes equal rime's ({share:.3f} %)")
sys.exit(0 if share >= least else 1)
