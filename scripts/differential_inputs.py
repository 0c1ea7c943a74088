"""Generated inputs of scripts/differential.py: input-method sources and
phrase lists of every shape, valid and faulty.

input_method_case(rng) and phrase_case(rng) return the input files of one case
(name -> bytes), the source always "src.txt", keyboard pictures beside it.
Most cases are sound; the others carry one or two faults, picked from a list
that reaches every section (FAULTS_IME, FAULTS_PHRASE). Sources are written
in the CharSet's bytes, or in UTF-8 with a byte-order mark or
"Encoding=UTF-8". Everything comes from the rng passed in.
"""

import struct

CHARSET_NAMES = ["ChineseGB", "ChineseGBK", "ChineseBIG5", "JapaneseJIS", "JapaneseSJIS",
                 "KoreanKSC"]
CODECS = {"ChineseGB": "gb2312", "ChineseGBK": "gbk", "ChineseBIG5": "big5hkscs",
          "JapaneseJIS": "euc_jp", "JapaneseSJIS": "cp932", "KoreanKSC": "euc_kr"}
CODE_SYMBOLS = "abcdefghijklmnopqrstuvwxyz0123456789;',.-=ABCDEFGHIJKLMNOPQRSTUVWXYZ[]`!@#$%^&*"
WORDS = ["Alpha", "Input", "Method", "Test", "Codes", "Pin", "Shape", "Kana", "Hangul", "Zhu",
         "v1", "2.0", "(c)", "Qalto", "x", "Table", "Yin"]

# ---------------------------------------------------------------------------
# Characters


def char_ranges(charset):
    """(common ranges, every lead byte, every trail byte) of a CharSet; a
    range is (first lead, last lead, first trail, last trail)."""
    euc = (range(0xA1, 0xFF), range(0xA1, 0xFF))
    if charset == "ChineseGB":
        return [(0xB0, 0xD7, 0xA1, 0xF9), (0xA1, 0xA3, 0xA1, 0xFE)], euc
    if charset == "JapaneseJIS":
        return [(0xB0, 0xCF, 0xA1, 0xFE), (0xA4, 0xA5, 0xA1, 0xF3)], euc
    if charset == "KoreanKSC":
        return [(0xB0, 0xC8, 0xA1, 0xFE), (0xA1, 0xA1, 0xA1, 0xFE)], euc
    if charset == "ChineseGBK":
        trails = [t for t in range(0x40, 0xFF) if t != 0x7F]
        return [(0xB0, 0xD7, 0xA1, 0xF9), (0x81, 0xA0, 0x40, 0x7E)], (range(0x81, 0xFF), trails)
    if charset == "ChineseBIG5":
        trails = list(range(0x40, 0x7F)) + list(range(0xA1, 0xFF))
        return [(0xA4, 0xC6, 0x40, 0x7E), (0xA4, 0xC5, 0xA1, 0xFE)], (range(0x81, 0xFF), trails)
    trails = [t for t in range(0x40, 0xFD) if t != 0x7F]
    leads = list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD))
    return [(0x88, 0x9F, 0x9F, 0xFC), (0x82, 0x82, 0x9F, 0xF1)], (leads, trails)


class Chars:
    """Double-byte characters of one CharSet: mostly common ones, some from
    anywhere in its byte ranges."""

    def __init__(self, rng, charset):
        self.rng = rng
        self.common, (leads, trails) = char_ranges(charset)
        self.leads, self.trails = list(leads), list(trails)

    def one(self):
        rng = self.rng
        if rng.random() < 0.96:
            lead0, lead1, trail0, trail1 = rng.choice(self.common)
            return bytes((rng.randint(lead0, lead1), rng.randint(trail0, trail1)))
        return bytes((rng.choice(self.leads), rng.choice(self.trails)))

    def pool(self, count):
        return list(dict.fromkeys(self.one() for _ in range(count)))


# ---------------------------------------------------------------------------
# Shared pieces


def value_list_item(rng, chars):
    kind = rng.random()
    if kind < 0.5:
        return rng.choice("abcdefghijklmnopqrstuvwxyz0123456789;'.\\-=?").encode()
    if kind < 0.7:
        return b"0x%02X" % rng.randrange(256) if rng.random() < 0.5 else b"0x%x" % rng.randrange(16)
    if kind < 0.85:
        return chars.one()
    return rng.choice(["ab", "Zq", "1.", ";;"]).encode()


def bad_value_list_item(rng):
    return rng.choice([b"abc", b"abcde", b"0xZZ", b"0x123", b"0xG"])


def text_value(rng, chars, limit):
    """Words and double-byte characters, `limit` bytes at most."""
    words = []
    while True:
        word = rng.choice(WORDS).encode() if rng.random() < 0.8 else chars.one() * rng.randint(1, 3)
        candidate = b" ".join(words + [word])
        if len(candidate) > limit:
            break
        words.append(word)
        if rng.random() < 0.3:
            break
    return b" ".join(words) or b"x"


def bmp(rng, width, height, compression=0, bits=4, cut=0):
    """A 16-colour bottom-up BMP of random black-and-white (and grey) pixels."""
    stride = (width * bits + 31) // 32 * 4
    palette = [(0, 0, 0), (255, 255, 255), (192, 192, 192), (255, 255, 254)]
    palette += [(rng.randrange(256), rng.randrange(256), rng.randrange(256)) for _ in range(12)]
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for b, g, r in palette)
    style = rng.random()
    rows = []
    for y in range(height):
        if style < 0.3:
            row = bytes(rng.choice((0x11, 0x10, 0x01, 0x00, 0x12)) for _ in range(stride))
        else:
            row = bytes(rng.randrange(256) if (x + y) % 7 == 0 else 0x11 for x in range(stride))
        rows.append(row)
    data = b"".join(rows)
    offset = 14 + 40 + 64
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(data),
                       2835, 2835, 16, 0)
    whole = header + info + colours + data
    return whole[:len(whole) - cut] if cut else whole


def finish(rng, charset, lines, utf8, line_end):
    """The bytes of a source from its lines (CharSet bytes): in UTF-8 when
    asked, now and then with a line that is no UTF-8 or a character the
    CharSet lacks."""
    if utf8:
        codec = CODECS[charset]
        converted = []
        for line in lines:
            text = line.decode(codec, errors="replace")
            converted.append(text.encode("utf-8"))
        if rng.random() < 0.1:
            at = rng.randrange(len(converted))
            converted[at] += rng.choice(["\U0001F600", "\u00e9", "\uff71", "\u4e2d\u570b"]).encode()
        if rng.random() < 0.04:
            converted[rng.randrange(len(converted))] += b"\xff\xfe"
        lines = converted
    text = line_end.join(lines) + line_end
    if utf8 == "bom":
        text = b"\xef\xbb\xbf" + text
    return text


def key_lines(rng, pairs):
    """Key lines `name=value` with blanks, letter case and comments varied."""
    lines = []
    for name, value in pairs:
        if rng.random() < 0.15:
            name = name.lower() if rng.random() < 0.5 else name.upper()
        spacing = rng.choice([(b"", b""), (b" ", b" "), (b"\t", b""), (b"", b"  ")])
        line = b"%s%s%s=%s%s" % (b" " * rng.choice((0, 0, 1)), name.encode(), spacing[0],
                                 spacing[1], value)
        if rng.random() < 0.05:
            line += b" // note"
        lines.append(line)
        if rng.random() < 0.08:
            lines.append(rng.choice([b"", b"// comment", b"   "]))
    return lines


# ---------------------------------------------------------------------------
# Input-method sources

FAULTS_IME = [
    "no-description", "no-text", "charset-bad", "charset-missing", "id-length", "fullname-long",
    "name-long", "version-long", "copyright-long", "author-long", "style-bad", "subtype-bad",
    "indexdepth-bad", "nosort-bad", "maxcodes-zero", "maxcodes-big", "maxcodes-negative",
    "usedcodes-long", "tunecodes-bad", "tunecodes-long", "display-count", "display-item",
    "wildchar-bad", "separatechar-bad", "code-bits", "empty-value", "unknown-key",
    "not-a-key", "too-many-keys", "misspelt-display", "encoding-bad", "bitmap-missing",
    "bitmap-size", "bitmap-compressed", "bitmap-cut", "bitmap-bits", "hdd-size", "hdd-alone",
    "keymap-long", "keymap-item", "keymap-empty", "keymap-unknown", "rules-many", "rule-one-item",
    "rule-long", "rule-command", "rule-item", "rule-style", "rule-duplicate", "rule-empty",
    "rule-no-equals", "rules-none-left", "help-long", "help-header", "text-code-long",
    "text-code-char", "text-no-code", "text-duplicate", "text-nothing", "text-entries",
    "text-repeats", "text-header-after", "long-line", "nul-byte", "text-before-description",
]


def style1_limits(symbols):
    bits = next(b for b, top in ((2, 3), (3, 7), (4, 15), (5, 31), (6, 63)) if symbols <= top)
    return {2: 12, 3: 10, 4: 7, 5: 6, 6: 5}[bits]


def input_method_case(rng, valid=False):
    faults = set()
    if not valid and rng.random() < 0.45:
        faults = set(rng.sample(FAULTS_IME, rng.choice((1, 1, 1, 2))))
    charset = rng.choice(CHARSET_NAMES)
    chars = Chars(rng, charset)
    style = rng.choice((1, 2))
    files = {}

    symbols = rng.choice((2, 3, 5, 8, 10, 15, 16, 26, 26, 31, 36, 40, 63))
    alphabet = "".join(rng.sample(CODE_SYMBOLS, min(symbols, len(CODE_SYMBOLS))))
    if style == 1:
        max_codes = rng.randint(1, style1_limits(len(alphabet)))
        if "code-bits" in faults:
            max_codes = min(12, style1_limits(len(alphabet)) + 1)
    else:
        max_codes = rng.randint(1, 12)
    utf8 = rng.choice((False, False, False, "bom", "key")) if not valid else False

    description = [("CharSet", rng.choice([charset, charset.lower(), charset.upper()]).encode()),
                   ("ID", text_id(rng, chars)),
                   ("FullName", text_value(rng, chars, 31)),
                   ("Name", text_value(rng, chars, 15))]
    for key, limit in (("Version", 15), ("Copyright", 31), ("Author", 15)):
        if rng.random() < 0.6:
            description.append((key, text_value(rng, chars, limit)))
    if style == 1:
        description.append(("CodingStyle", rng.choice([b"1", b"1", b"257", b"01"])))
        if rng.random() < 0.6:
            description.append(("IndexDepth", rng.choice([b"0", b"1", b"2"])))
        if rng.random() < 0.5:
            description.append(("NoSort", rng.choice([b"0", b"1"])))
    else:
        description.append(("CodingStyle", rng.choice([b"2", b"2,0", b"2,1", b"2,2", b"2, 1"])))
        if rng.random() < 0.5:
            description.append(("TuneCodes", "".join(rng.sample(alphabet, rng.randint(
                1, min(15, len(alphabet))))).encode()))
        if rng.random() < 0.5:
            description.append(("SeparateChar", rng.choice("'-_.!~").encode()))
    description.append(("MaxCodes", b"%d" % max_codes))
    description.append(("UsedCodes", alphabet.encode()))
    if rng.random() < 0.6:
        items = [value_list_item(rng, chars) for _ in alphabet]
        description.append(("DispalyCodes", b",".join(items)))
    if rng.random() < 0.6:
        description.append(("WildChar", rng.choice("?*~!z").encode()))
    if rng.random() < 0.6:
        description.append(("AutoSelectKeys", b"%d" % rng.choice((0, 1, 4, 9, 127, 200, -3))))
    if utf8 == "key":
        description.append(("Encoding", rng.choice([b"UTF-8", b"utf8", b"Utf-8"])))
    if rng.random() < 0.35 or faults & {"bitmap-missing", "bitmap-size", "bitmap-compressed",
                                        "bitmap-cut", "bitmap-bits", "hdd-size", "hdd-alone"}:
        width, height = rng.choice(((154, 54), (156, 53)))
        name = rng.choice(["kbd.bmp", "Kbd.BMP", "pic.bmp"])
        size = (width + 1, height) if "bitmap-size" in faults else (width, height)
        files[name] = bmp(rng, *size, compression=1 if "bitmap-compressed" in faults else 0,
                          bits=8 if "bitmap-bits" in faults else 4,
                          cut=rng.randint(1, 600) if "bitmap-cut" in faults else 0)
        if "bitmap-missing" in faults:
            del files[name]
        if "hdd-alone" not in faults:
            description.append(("KeyboardBitmap", name.encode()))
        if rng.random() < 0.6 or faults & {"hdd-size", "hdd-alone"}:
            files["kbdHDD.bmp"] = bmp(rng, width * 2 + ("hdd-size" in faults), height * 2)
            description.append(("KeyboardBitmapHDD", b"kbdHDD.bmp"))

    apply_description_faults(rng, description, faults, alphabet, chars)
    rng.shuffle(description) if rng.random() < 0.3 else None
    description_lines = key_lines(rng, description)
    if "unknown-key" in faults:
        description_lines.insert(rng.randrange(len(description_lines) + 1),
                                 rng.choice([b"Row 1=abc", b"Colour=red", b"Flavour=x"]))
    if "misspelt-display" in faults:
        description_lines.append(b"DisplayCodes=" + b",".join(b"a" for _ in alphabet))
    if "not-a-key" in faults:
        description_lines.append(b"no key here")
    if "too-many-keys" in faults:
        description_lines += [b"Junk%d=%d" % (i, i) for i in range(64)]

    sections = []
    if "no-description" not in faults:
        sections.append((b"[Description]", description_lines))
    if rng.random() < 0.5 or faults & {"keymap-long", "keymap-item", "keymap-empty",
                                       "keymap-unknown"}:
        sections.append((rng.choice([b"[KeyMapTable]", b"[keymaptable]"]),
                         key_map_lines(rng, chars, faults)))
    if rng.random() < 0.5 or any(f.startswith("rule") for f in faults):
        sections.append((b"[Rules]", rule_lines(rng, style, faults)))
    if rng.random() < 0.5 or faults & {"help-long", "help-header"}:
        sections.append((b"[Help]", help_lines(rng, chars, faults)))
    rng.shuffle(sections)

    text = text_lines(rng, style, alphabet, max_codes, chars, charset, faults)
    lines = []
    if rng.random() < 0.3:
        lines += [b"// generated input method", b""]
    if "text-before-description" in faults:
        sections.insert(0, (b"[Text]", text))
    elif "no-text" not in faults:
        sections.append((rng.choice([b"[Text]", b"[TEXT]", b"  [text]"]), text))
    for header, body in sections:
        lines.append(header)
        lines += body
        if rng.random() < 0.5:
            lines.append(b"")
    if "long-line" in faults:
        lines.insert(rng.randrange(len(lines) + 1), b"x" * rng.randint(505, 1200))
    if "nul-byte" in faults:
        at = rng.randrange(len(lines))
        lines[at] = lines[at][:len(lines[at]) // 2] + b"\0" + lines[at][len(lines[at]) // 2:]
    files["src.txt"] = finish(rng, charset, lines, utf8, rng.choice((b"\r\n", b"\n")))
    return files


def text_id(rng, chars):
    if rng.random() < 0.85:
        return "".join(rng.choice("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789")
                       for _ in range(4)).encode()
    return chars.one() + rng.choice([b"ab", chars.one()])


def apply_description_faults(rng, description, faults, alphabet, chars):
    def put(key, value):
        for i, (name, _) in enumerate(description):
            if name == key:
                description[i] = (key, value)
                return
        description.append((key, value))

    def drop(key):
        description[:] = [(n, v) for n, v in description if n != key]

    changes = {
        "charset-bad": lambda: put("CharSet", rng.choice([b"ChineseGB2", b"Big5", b"GB"])),
        "charset-missing": lambda: drop("CharSet"),
        "id-length": lambda: put("ID", rng.choice([b"abc", b"abcde", b"a"])),
        "fullname-long": lambda: put("FullName", b"F" * 32),
        "name-long": lambda: put("Name", b"N" * rng.choice((16, 40))),
        "version-long": lambda: put("Version", b"V" * 16),
        "copyright-long": lambda: put("Copyright", b"C" * 32),
        "author-long": lambda: put("Author", b"A" * 16),
        "style-bad": lambda: put("CodingStyle", rng.choice([b"3", b"0", b"x", b"256"])),
        "subtype-bad": lambda: put("CodingStyle", rng.choice([b"2,3", b"2,x", b"1,1"])),
        "indexdepth-bad": lambda: put("IndexDepth", rng.choice([b"3", b"259", b"-1"])),
        "nosort-bad": lambda: put("NoSort", rng.choice([b"2", b"x1"])),
        "maxcodes-zero": lambda: put("MaxCodes", rng.choice([b"0", b"x"])),
        "maxcodes-big": lambda: put("MaxCodes", rng.choice([b"13", b"100"])),
        "maxcodes-negative": lambda: put("MaxCodes", b"-2"),
        "usedcodes-long": lambda: put("UsedCodes", (CODE_SYMBOLS * 2)[:64].encode()),
        "tunecodes-bad": lambda: put("TuneCodes", b"~" + alphabet[:1].encode()),
        "tunecodes-long": lambda: put("TuneCodes", (alphabet * 16)[:16].encode()),
        "display-count": lambda: put("DispalyCodes", b",".join(
            value_list_item(rng, chars) for _ in range(len(alphabet) + rng.choice((-1, 1))))),
        "display-item": lambda: put("DispalyCodes", b",".join(
            [value_list_item(rng, chars) for _ in alphabet[1:]] + [bad_value_list_item(rng)])),
        "wildchar-bad": lambda: put("WildChar", rng.choice([b"ab", b"\xb0\xa1", b"\x7f"])),
        "separatechar-bad": lambda: put("SeparateChar", rng.choice([b"ab", b"\x01"])),
        "empty-value": lambda: put(rng.choice(["Version", "ID", "WildChar"]), b""),
        "encoding-bad": lambda: put("Encoding", rng.choice([b"Latin1", b"UTF-16"])),
    }
    for fault in sorted(faults):  # sets iterate in an order that changes per process
        if fault in changes:
            changes[fault]()


def key_map_lines(rng, chars, faults):
    rows = []
    for row in rng.sample((1, 2, 3, 4), rng.randint(1, 4)):
        items = [value_list_item(rng, chars) for _ in range(rng.randint(1, 12))]
        rows.append(("Row%d" % row, b", ".join(items)))
    if "keymap-long" in faults:
        rows[0] = (rows[0][0], b",".join(b"a" for _ in range(13)))
    if "keymap-item" in faults:
        rows[-1] = (rows[-1][0], rows[-1][1] + b"," + bad_value_list_item(rng))
    lines = key_lines(rng, rows)
    if rng.random() < 0.2:
        lines.insert(0, b"//COl 1  2  3  4  5  6  7     8  9  10 11")
    if "keymap-unknown" in faults:
        lines.append(rng.choice([b"Row5=a,b", b"Row 1=a", b"Row1"]))
    if "keymap-empty" in faults:
        lines = [b"// nothing"]
    return lines


def rule_item(rng, style, length):
    direction = rng.choice("FBfb")
    number = "%X" % rng.randint(1, length)
    code = "0" if style == 2 else "%X" % rng.randint(1, 15)
    return (direction + number + code).encode()


def rule_lines(rng, style, faults):
    rules = []
    for _ in range(rng.randint(1, 8)):
        length = rng.randint(2, 15)
        command = rng.choice("Pp") + rng.choice("AaEe") + ("%X" % length if rng.random() < 0.7
                                                           else "%x" % length)
        items = [rule_item(rng, style, length) for _ in range(rng.randint(2, 6))]
        rules.append((command, b"+".join(items)))
    if "rules-many" in faults:
        rules += [("PE%X" % (2 + i % 14), b"F10+F20" if style == 2 else b"F11+F21")
                  for i in range(21)]
    if "rule-one-item" in faults:
        rules.append(("PE2", rule_item(rng, style, 2) + rng.choice([b"", b"++F21"])))
    if "rule-long" in faults:
        rules.append(("PA3", b"+".join(rule_item(rng, style, 3) for _ in range(42))))
    if "rule-command" in faults:
        rules.append((rng.choice(["PX2", "P2", "PE1", "PEG", "QE2", "PE22"]), b"F11+F21"))
    if "rule-item" in faults:
        rules.append(("PE2", rng.choice([b"F31+F11", b"X11+F21", b"F1+F21", b"F111+F21"])))
    if "rule-style" in faults:
        rules.append(("PE2", b"F10+F20" if style == 1 else b"F11+F21"))
    if "rule-duplicate" in faults:
        rules.append((rules[0][0].lower(), b" " + rules[0][1].lower()))
    lines = key_lines(rng, rules)
    if "rule-empty" in faults:
        lines.append(b"PE3=")
    if "rule-no-equals" in faults:
        lines.append(rng.choice([b"PA3: f10+f20+f30", b"=F11+F21"]))
    if "rules-none-left" in faults:
        lines = [b"PA3 f10", b"PE2="]
    return lines


def help_lines(rng, chars, faults):
    lines = []
    for _ in range(rng.randint(0, 12)):
        kind = rng.random()
        if kind < 0.5:
            lines.append(b" ".join(rng.choice(WORDS).encode() for _ in range(rng.randint(1, 9))))
        elif kind < 0.7:
            lines.append(b"".join(chars.one() for _ in range(rng.randint(1, 20))))
        elif kind < 0.85:
            lines.append(rng.choice([b"", b"// a comment kept as help", b"  indented", b"a\r"]))
        else:
            lines.append(b"[not a header")
    if "help-long" in faults:
        lines += [b"help text line %04d " % i + b"." * 60 for i in range(140)]
    if "help-header" in faults:
        lines.insert(rng.randrange(len(lines) + 1), rng.choice([b"[x]yz", b"[ab]"]))
    return lines


def text_lines(rng, style, alphabet, max_codes, chars, charset, faults):
    def code(length=None):
        return "".join(rng.choice(alphabet) for _ in range(length or rng.randint(1, max_codes)))

    size = rng.choice((3, 10, 40, 120, 400)) if rng.random() < 0.97 else rng.choice((1500, 4000))
    pool = chars.pool(max(2, size))
    entries = []
    for character in pool:
        entries.append((code(), [character]))
        while rng.random() < 0.2:  # a character under several codes
            entries.append((code(), [character]))
    if style == 2:
        merged = []
        for c, characters in entries:
            if merged and rng.random() < 0.4 and characters[0] not in merged[-1][1]:
                merged[-1][1].extend(characters)
            else:
                merged.append((c, list(characters)))
        entries = merged
    rng.shuffle(entries) if rng.random() < 0.7 else entries.sort()
    lines = []
    for c, characters in entries:
        separator = rng.choice((b" ", b"", b"\t", b"  "))
        line = c.encode() + separator + rng.choice((b"", b" ")).join(characters)
        if rng.random() < 0.05:
            line += rng.choice([b" trailing words", b"x", b" \xa1"])
        if rng.random() < 0.03:
            line = b"   " + line
        lines.append(line)
        if rng.random() < 0.03:
            lines.append(rng.choice([b"", b"// comment", b"  // comment"]))
    if style == 2 and entries and rng.random() < 0.3:
        c, _ = rng.choice(entries)
        lines.append(c.encode() + b" " + chars.one())  # a code seen before, on a later line

    def put(line):
        lines.insert(rng.randrange(len(lines) + 1), line)

    if "text-code-long" in faults:
        put(code(max_codes + 1).encode() + b" " + chars.one())
    if "text-code-char" in faults:
        outside = [s for s in CODE_SYMBOLS if s not in alphabet] or ["~"]
        put((code(max(1, max_codes - 1)) + rng.choice(outside))[:max_codes].encode() + b" "
            + chars.one())
    if "text-no-code" in faults:
        put(chars.one() + chars.one())
        put(code().encode())
    if "text-duplicate" in faults and entries:
        c, characters = rng.choice(entries)
        put(c.encode() + b" " + characters[0] + characters[0])
    if "text-nothing" in faults:
        lines[:] = [b"// nothing", chars.one()]
    if "text-header-after" in faults:
        lines.append(rng.choice([b"[Phrase]", b"[Help]"]))
    if "text-entries" in faults or "text-repeats" in faults:
        lines[:] = big_table(rng, style, alphabet, max_codes, chars, charset,
                             "text-entries" in faults)
    return lines


def big_table(rng, style, alphabet, max_codes, chars, charset, entries_fault):
    """A code table past a limit of the format: 32767 entries, or the repeat
    table (a character under many codes). Codes are numbered so that they
    never repeat; the alphabet is widened when it is too short for them."""
    symbols = len(alphabet)
    room = symbols ** max_codes
    count = 33000 if entries_fault else 20000
    count = min(count, room)
    characters = chars.pool(600 if not entries_fault else 3000)
    lines = []
    for number in range(count):
        digits, value = [], number
        for _ in range(max_codes):
            digits.append(alphabet[value % symbols])
            value //= symbols
        c = "".join(digits).encode()
        if entries_fault:
            lines.append(c + b" " + characters[number % len(characters)])
        else:
            lines.append(c + b" " + characters[number % 3])
    return lines


# ---------------------------------------------------------------------------
# Phrase lists

FAULTS_PHRASE = [
    "no-description", "charset-missing", "charset-bad", "maxlength-bad", "maxlength-wrap",
    "unknown-key", "not-a-key", "encoding-bad", "single-byte-line", "one-char", "too-long",
    "header-after", "no-phrase", "no-phrase-section", "first-full", "block-full", "long-line",
    "nul-byte", "empty-value",
]


def phrase_case(rng, valid=False):
    faults = set()
    if not valid and rng.random() < 0.4:
        faults = set(rng.sample(FAULTS_PHRASE, rng.choice((1, 1, 2))))
    charset = rng.choice(CHARSET_NAMES)
    chars = Chars(rng, charset)
    utf8 = rng.choice((False, False, False, "bom", "key")) if not valid else False
    max_length = rng.choice((None, None, 2, 3, 4, 8, 15, 6))

    description = [("CharSet", rng.choice([charset, charset.lower(), charset.upper()]).encode())]
    if max_length:
        description.append(("MaxPhraseLength", b"%d" % max_length))
    if utf8 == "key":
        description.append(("Encoding", rng.choice([b"UTF-8", b"utf8"])))
    changes = {
        "charset-missing": lambda: description.pop(0),
        "charset-bad": lambda: description.__setitem__(0, ("CharSet", b"Latin")),
        "maxlength-bad": lambda: description.append(("MaxPhraseLength", rng.choice(
            [b"1", b"16", b"0", b"x"]))),
        "maxlength-wrap": lambda: description.insert(0, ("MaxPhraseLength", b"258")),
        "encoding-bad": lambda: description.insert(0, ("Encoding", b"Shift")),
        "empty-value": lambda: description.insert(0, ("MaxPhraseLength", b"")),
    }
    for fault in sorted(faults):  # sets iterate in an order that changes per process
        if fault in changes:
            changes[fault]()
    rng.shuffle(description) if rng.random() < 0.3 else None
    description_lines = key_lines(rng, description)
    if "unknown-key" in faults:
        description_lines.append(b"Colour=blue")
    if "not-a-key" in faults:
        description_lines.append(b"just words")

    phrases = phrase_lines(rng, chars, faults, 300 if valid else 1500)
    lines = []
    if rng.random() < 0.3:
        lines += [b"// generated phrase list", b""]
    if "no-description" not in faults:
        lines += [rng.choice([b"[Description]", b"[DESCRIPTION]"])] + description_lines
    if "no-phrase-section" not in faults:
        lines += [b"", rng.choice([b"[Phrase]", b"[phrase]", b" [Phrase]"])] + phrases
    if "long-line" in faults:
        lines.insert(rng.randrange(len(lines) + 1), chars.one() * rng.randint(256, 400))
    if "nul-byte" in faults:
        at = rng.randrange(len(lines))
        lines[at] = lines[at][:3] + b"\0" + lines[at][3:]
    return {"src.txt": finish(rng, charset, lines, utf8, rng.choice((b"\r\n", b"\n")))}


def phrase_lines(rng, chars, faults, most):
    firsts = chars.pool(rng.choice((1, 3, 10, 40, 200)))
    others = chars.pool(rng.choice((5, 50, 500)))
    lines = []
    for _ in range(min(most, rng.choice((2, 10, 60, 300, 1500)))):
        length = rng.choice((2, 2, 2, 3, 3, 4, 5, 8, 15))
        phrase = rng.choice(firsts) + b"".join(rng.choice(others) for _ in range(length - 1))
        if lines and rng.random() < 0.05:
            phrase = lines[rng.randrange(len(lines))]  # a duplicate, or a comment again
        if rng.random() < 0.05:
            phrase += rng.choice([b" note", b",USER", b" " + chars.one() * 3, b"abc"])
        if rng.random() < 0.05:
            phrase = rng.choice([b"  ", b"\t"]) + phrase
        lines.append(phrase)
        if rng.random() < 0.03:
            lines.append(rng.choice([b"", b"// comment", b"   "]))

    def put(line):
        lines.insert(rng.randrange(len(lines) + 1), line)

    if "single-byte-line" in faults:
        put(rng.choice([b"abc", b"x" + chars.one() * 2]))
    if "one-char" in faults:
        put(chars.one())
    if "too-long" in faults:
        put(chars.one() * 16)
    if "header-after" in faults:
        lines.append(b"[Description]")
    if "no-phrase" in faults:
        lines[:] = [b"// nothing here"]
    if "first-full" in faults:
        first, seconds = chars.one(), chars.pool(60)
        lines += [first + a + b for a in seconds for b in seconds][:1100]
    if "block-full" in faults:
        # 260 neighbouring first characters with 300 phrases each: one block
        # of 256 holds at least 130 of them, 39000 characters, past its room.
        start = rng.choice(chars.common)
        lead = start[0]
        firsts = [bytes((lead + i // 94, 0xA1 + i % 94)) for i in range(260)]
        if chars.common[0][2] < 0xA1:
            firsts = [bytes((lead + i // 60, 0x40 + i % 60)) for i in range(260)]
        seconds = chars.pool(400)[:300]
        for f in firsts:
            lines += [f + o for o in seconds]
    return lines
