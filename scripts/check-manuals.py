#!/usr/bin/env python3
"""Checks the manual pages against the programs' usage texts.

    python3 scripts/check-manuals.py [BUILD_DIR]     (default build-release)

For each of man/Mabrel.1 and man/Tosker.1: groff -ww -z reports nothing, the
page renders with man -l, and its OPTIONS section gives every option line of
the usage text (BUILD_DIR/ime/Mabrel --help, BUILD_DIR/phrase/Tosker --help)
a tagged paragraph of its own, in the usage text's order, with no plain
paragraph breaking the list between the first and the last of them. An
option line and a paragraph tag are matched by the option ("/f", or none for
plain file names) and the extension of the last file name they give
("dest.pdb"), so the two /i lines and the compile and the decompile each need
their own paragraph.
"""
import os
import re
import subprocess
import sys
from collections import Counter
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
PROGRAMS = {"Mabrel": "ime/Mabrel", "Tosker": "phrase/Tosker"}


def signature(words):
    """(option, extension of the last file name) of an option line's words."""
    option = ""
    if words and words[0].startswith("/") and len(words[0]) > 1:
        option = words[0][:2].lower()
        words = words[1:]
    extension = ""
    for word in reversed(words):
        match = re.search(r"(\.[A-Za-z0-9]+)$", word)
        if match and not word.startswith("."):
            extension = match.group(1).lower()
            break
    return option, extension


def usage_lines(program):
    """The option lines of the usage text: those that begin with the
    program's name followed by an argument, with the signature of the
    arguments before the column where the descriptions begin (the column
    most lines start a word at after two blanks)."""
    if not program.exists():
        raise SystemExit(f"check-manuals: {program} is not built")
    text = subprocess.run([program, "--help"], capture_output=True, text=True,
                          errors="replace").stdout
    name = Path(program).name
    lines = [line.rstrip() for line in text.replace("\r", "").splitlines()
             if line.startswith(name + " ")]
    columns = Counter(match.start(1) for line in lines
                      for match in re.finditer(r"\s{2,}(\S)", line))
    column = columns.most_common(1)[0][0] if columns else None
    return [(line, signature(line[len(name):column].split())) for line in lines]


def plain_text(roff):
    """A request line's text without its macro, fonts and quotes."""
    text = re.sub(r"^\.\w+\s*", "", roff)
    text = re.sub(r"\\f[BIRP]|\\f\(\w\w|\\&|\\\(\w\w|\\-", lambda m: "-" if m.group() == "\\-" else "", text)
    return text.replace('"', " ")


def option_paragraphs(page):
    """(signature, tag, line number) of each tagged paragraph of OPTIONS, and
    the line numbers of the plain paragraph breaks there."""
    lines = page.splitlines()
    tags, breaks = [], []
    in_options = False
    for number, line in enumerate(lines, 1):
        if line.startswith(".SH"):
            in_options = line.split(None, 1)[1:] == ["OPTIONS"]
            continue
        if not in_options:
            continue
        if line.startswith((".PP", ".LP", ".P ")) or line == ".P":
            breaks.append(number)
        if line.startswith(".TP") and number < len(lines):
            tag = plain_text(lines[number])
            first = tag.split(",")[0]
            first = re.sub(r"\[[^\]]*\]", " ", first)
            tags.append((signature(first.split()), tag.strip(), number + 1))
    return tags, breaks


def check_page(tool, build):
    page_path = ROOT / "man" / f"{tool}.1"
    problems = []
    groff = subprocess.run(["groff", "-ww", "-z", "-man", str(page_path)],
                           capture_output=True, text=True)
    if groff.returncode != 0 or groff.stderr.strip():
        problems.append(f"groff -ww -z: {groff.stderr.strip() or 'status %d' % groff.returncode}")
    rendered = subprocess.run(["man", "-l", "-P", "cat", str(page_path)], capture_output=True,
                              text=True, env={**os.environ, "MANWIDTH": "80"})
    if rendered.returncode != 0 or "OPTIONS" not in rendered.stdout:
        problems.append(f"man -l does not render it: {rendered.stderr.strip()}")
    tags, breaks = option_paragraphs(page_path.read_text(encoding="utf-8"))
    at = 0
    matched = []
    for line, wanted in usage_lines(build / PROGRAMS[tool]):
        found = next((k for k in range(at, len(tags)) if tags[k][0] == wanted), None)
        if found is None:
            earlier = any(tag[0] == wanted for tag in tags[:at])
            problems.append(f'"{line}": ' + ("its paragraph comes before that of an earlier line"
                                             if earlier else "has no paragraph of its own"))
            continue
        matched.append(tags[found][2])
        at = found + 1
    if matched:
        for number in breaks:
            if matched[0] < number < matched[-1]:
                problems.append(f"line {number}: a paragraph break inside the option list")
    return [f"check-manuals: man/{tool}.1: {problem}" for problem in problems], len(matched)


def main():
    build = Path(sys.argv[1] if len(sys.argv) > 1 else ROOT / "build-release").resolve()
    problems = []
    counts = []
    for tool in PROGRAMS:
        found, count = check_page(tool, build)
        problems += found
        counts.append(f"{tool} {count}")
    for problem in problems:
        print(problem)
    if problems:
        sys.exit(1)
    print(f"check-manuals: both pages groff-clean, every option line has its paragraph "
          f"in order ({', '.join(counts)})")


if __name__ == "__main__":
    main()
