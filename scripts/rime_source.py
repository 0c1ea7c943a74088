#!/usr/bin/env python3
"""Writes a Mabrel source and lookup lines from a rime dictionary, for scripts/bench.sh.

    python3 scripts/rime_source.py DICT.yaml NAME SOURCE.txt LOOKUPS.txt COUNT

Takes the single characters of the dictionary (Debian's rime-data-* packages
install them under /usr/share/rime-data) that GBK can write, with their codes
of letters only, into a ChineseGBK source of coding style 2 (SOURCE.txt, in
GBK bytes). LOOKUPS.txt gets COUNT lines in UTF-8 for `Mabrel /t`, taking in
turn a code, a character and a check line (a code and its first character)
of the table, so that every check holds. Prints the number of pairs.
Standard library only.
"""

import sys


def read_pairs(path):
    columns = ["text", "code"]
    pairs = []
    in_body = False
    with open(path, encoding="utf-8") as dictionary:
        for line in dictionary:
            line = line.rstrip("\n")
            if not in_body:
                stripped = line.strip()
                if stripped == "...":
                    in_body = True
                elif stripped.startswith("- ") and stripped[2:] in ("text", "code", "weight", "stem"):
                    if stripped[2:] == "text":
                        columns = []
                    columns.append(stripped[2:])
                continue
            if not line or line.startswith("#"):
                continue
            fields = dict(zip(columns, line.split("\t")))
            text, code = fields.get("text", ""), fields.get("code", "")
            if len(text) != 1 or not code.isascii() or not code.isalpha() or len(code) > 12:
                continue
            try:
                if len(text.encode("gbk")) != 2:
                    continue
            except UnicodeEncodeError:
                continue
            pairs.append((code.lower(), text))
    return pairs


def main():
    if len(sys.argv) != 6:
        raise SystemExit(__doc__)
    path, name, source, lookups, count = sys.argv[1:6]
    pairs = list(dict.fromkeys(read_pairs(path)))
    codes = {}
    for code, text in pairs:
        codes.setdefault(code, []).append(text)
    keys = "".join(sorted({key for code in codes for key in code}))
    with open(source, "wb") as out:
        head = (f"[Description]\nCharSet=ChineseGBK\nID={name[:4].ljust(4, 'x')}\n"
                f"FullName={name} from rime data\nName={name[:15]}\nCodingStyle=2\n"
                f"MaxCodes={max(len(code) for code in codes)}\nUsedCodes={keys}\n\n[Text]\n")
        out.write(head.encode("ascii"))
        # A source line is read in pieces of 510 bytes: long codes go on several lines.
        for code, texts in codes.items():
            for start in range(0, len(texts), 100):
                out.write(f"{code} {''.join(texts[start:start + 100])}\n".encode("gbk"))
    # Earlier builds read a line without a character of three UTF-8 bytes in
    # GBK bytes: the lookups keep to the characters that have three or more,
    # so that every build answers them alike.
    def wide(text):
        return len(text.encode("utf-8")) >= 3

    code_list = [code for code in codes if any(wide(text) for text in codes[code])]
    characters = list(dict.fromkeys(text for _, text in pairs if wide(text)))
    with open(lookups, "w", encoding="utf-8") as out:
        for i in range(int(count)):
            kind, n = i % 3, i // 3
            if kind == 0:
                out.write(code_list[n % len(code_list)] + "\n")
            elif kind == 1:
                out.write(characters[n % len(characters)] + "\n")
            else:
                code = code_list[n % len(code_list)]
                out.write(f"{code} {next(t for t in codes[code] if wide(t))}\n")
    print(len(pairs))


if __name__ == "__main__":
    main()
