#!/usr/bin/env python3
"""Checks the exit table of README.md against the message tables.

    python3 scripts/check-exit-table.py

Every numbered message of foundation/common_messages.h, ime/messages.h and
phrase/messages.h must either have a row in the table or be named among the
warnings in the sentence before it ("warnings (503, 504, ...)"). A status in
a tool's column must belong to a message that tool has (its own table or the
common one) and read as the message number's low eight bits, or as one of
the statuses the notes under the table explain (1 for the immediate stops,
45 for a keyboard bitmap).
"""
import re
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
TABLES = {
    "common": ROOT / "foundation/common_messages.h",
    "Mabrel": ROOT / "ime/messages.h",
    "Tosker": ROOT / "phrase/messages.h",
}
EXPLAINED_STATUSES = {1, 45}


def codes_of(path):
    """The numbered messages (100 and above) of one table."""
    text = path.read_text(encoding="utf-8")
    return {int(code) for code in re.findall(r"X\(k\w+,\s*(\d+)\s*,", text) if int(code) >= 100}


def exit_section(readme):
    start = readme.index("## Exit status")
    end = readme.find("\n## ", start + 1)
    return readme[start:end if end >= 0 else len(readme)]


def warnings_named(section):
    """The message numbers named in the sentence that lists the warnings."""
    match = re.search(r"warnings \((.*?)\) leave the status", section, re.S)
    if not match:
        raise SystemExit("check-exit-table: README.md names no warnings before its exit table")
    return {int(n) for n in re.findall(r"\b(\d{3})\b", match.group(1))}


def table_rows(section):
    """(message, Mabrel cell, Tosker cell) of each row; the table has two
    rows side by side on every line."""
    rows = []
    for line in section.splitlines():
        if not line.startswith("|") or line.startswith("|---"):
            continue
        cells = [cell.strip() for cell in line.strip().strip("|").split("|")]
        for at in range(0, len(cells) - 2, 3):
            if re.fullmatch(r"\d{3}", cells[at]):
                rows.append((int(cells[at]), cells[at + 1], cells[at + 2]))
    return rows


def main():
    codes = {tool: codes_of(path) for tool, path in TABLES.items()}
    every = set().union(*codes.values())
    section = exit_section((ROOT / "README.md").read_text(encoding="utf-8"))
    warnings = warnings_named(section)
    rows = table_rows(section)
    problems = []
    seen = set()
    for code, *cells in rows:
        if code in seen:
            problems.append(f"{code} has two rows")
        seen.add(code)
        if code not in every:
            problems.append(f"{code} has a row but is in no message table")
        for tool, cell in zip(("Mabrel", "Tosker"), cells):
            status = re.match(r"\d+", cell)
            if status is None:
                continue
            if code not in codes[tool] | codes["common"]:
                problems.append(f"{code}: {tool} has no such message, yet its column says {cell}")
            if int(status.group()) not in {code & 0xFF} | EXPLAINED_STATUSES:
                problems.append(f"{code}: {tool}'s status {cell} is not {code & 0xFF}")
    for code in sorted(every - seen - warnings):
        problems.append(f"{code} (status {code & 0xFF}) has no row and is not named a warning")
    if problems:
        sys.exit("\n".join(f"check-exit-table: {problem}" for problem in problems))
    print(f"check-exit-table: {len(rows)} rows and {len(warnings)} warnings cover the "
          f"{len(every)} numbered messages")


if __name__ == "__main__":
    main()
