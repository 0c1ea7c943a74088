"""Generated desktop tables and word lists of scripts/differential.py, for
the imports (Mabrel /i, Tosker /i): .cin, fcitx table text, SCIM/ibus-table
text, rime .dict.yaml (at times with the tables it imports and an essay.txt
beside it) and word lists, in UTF-8.

desktop_table_case(rng) returns the input files of one case (name -> bytes),
the table always "table.src" (its format is told by its content), files it
reads beside it. Most tables are sound; the others carry a fault: a line that
is no UTF-8, a byte-order mark or CR LF line ends, an empty or cut section,
codes with blanks, "//" or characters beyond ASCII, entries repeated, weights
of every kind. Everything comes from the rng passed in.
"""

KEYS = "abcdefghijklmnopqrstuvwxyz"
PUNCTUATION = ",.;'/[]-=`"
# Characters from every CharSet: GB 2312 and GBK hanzi, Big5-only forms,
# kana, hangul, symbols, a character beyond the basic plane, ASCII.
CHAR_POOLS = [
    "的一是不了人我在有他这中大来上国个到说们为子和你地出道也时年",
    "亍丌兀丐廿卅丕亘丞鬲孬噩丨禺丿匕乇夭爻卮氐囟胤馗毓睾鼗丶亟鼐乜",
    "乂乚乛乣乤乥乧乨乪乫乬乭乮乯乲乴乵乶乷乸乹乺乻乼乽乿亀亁亂亃亄",
    "裏衛們後來說時區與對開關門為體國學語灣經這個內電視長興藝術豐",
    "あいうえおかきくけこさしすせそたちつてとなにぬねのアイウエオカ",
    "가각간갇갈감갑강개객갤갬갭갱거건걸검겁게겨격견결겸경계고곡곤골",
    "〇、。・ー「」『』【】〒〜！＃％＆（）＊＋，－．／０１２３：；＜＝",
    "\U00020000\U00020001\U0002A6A5\u9FA5\u9FCB\u3400\u4DB5",
]


def pick_chars(rng):
    pools = rng.sample(CHAR_POOLS, rng.choice((1, 1, 2, 3)))
    return "".join(pools)


def random_code(rng, keys, longest):
    return "".join(rng.choice(keys) for _ in range(rng.randint(1, longest)))


def odd_code(rng, keys):
    """A code an import must refuse or keep with care."""
    return rng.choice(["", "a b", "//x", "ä" + keys[0], "\t", keys[0] * 40, "A" + keys[0],
                       "#" + keys[0], "0", "~"])


def entries(rng, keys, chars, faulty, words):
    """(code, text, weight) triples: single characters, and words of two to
    six characters at the share `words`, some repeated, weights None, whole or
    decimal."""
    longest = rng.choice((2, 4, 5, 6, 8))
    result = []
    for _ in range(rng.choice((0, 1, 5, 30, 120, 400))):
        if result and rng.random() < 0.08:
            result.append(rng.choice(result))
            continue
        length = rng.randint(2, 6) if rng.random() < words else 1
        text = "".join(rng.choice(chars) for _ in range(length))
        code = odd_code(rng, keys) if faulty and rng.random() < 0.05 else \
            random_code(rng, keys, longest)
        weight = rng.choice((None, None, rng.randint(0, 100000), rng.randint(1, 9),
                             round(rng.random() * 100, 2)))
        result.append((code, text, weight))
    return result


def cin_table(rng, keys, items):
    lines = ["%gen_inp", "%ename " + rng.choice(("Cin", "Bench", "wb", "", "X y")),
             "%cname " + rng.choice(("測試", "输入法", "", "Table")), "%selkey 1234567890",
             "%keyname begin"]
    lines += ["%s %s" % (key, key.upper()) for key in keys]
    lines += ["%keyname end", "%chardef begin"]
    lines += ["%s %s" % (code, text) for code, text, _ in items]
    lines.append("%chardef end")
    return lines


def fcitx_table(rng, keys, items):
    lines = ["KeyCode=" + keys, "Length=%d" % rng.randint(2, 8), "Pinyin=@"]
    if rng.random() < 0.5:
        lines += ["[Rule]", "e2=p11+p12+p21+p22", "e3=p11+p21+p31+p32",
                  rng.choice(("a4=p11+p21+p31+n11", "a4=p11+p21+p31+p41", "a5=p99"))]
    lines.append("[Data]")
    lines += ["%s %s" % (code, text) for code, text, _ in items]
    return lines


def scim_table(rng, keys, items):
    lines = ["SCIM_Generic_Table_Phrase_Library_TEXT", "VERSION_1_0", "BEGIN_DEFINITION",
             "NAME = " + rng.choice(("Scim", "ibus", "")), "NAME.zh_CN = 测试",
             "SERIAL_NUMBER = 20240101", "KEYS = " + keys,
             "MAX_KEY_LENGTH = %d" % rng.randint(2, 8)]
    if rng.random() < 0.5:
        lines.append("SINGLE_WILDCARD_CHAR = " + rng.choice(("?", "z", "*")))
    if rng.random() < 0.5:
        lines.append("RULES = ce2:p11+p12+p21+p22;ce3:p11+p21+p31+p32;ca4:p11+p21+p31+p-11")
    lines += ["END_DEFINITION", "BEGIN_TABLE"]
    lines += ["%s\t%s\t%s" % (code, text, weight if weight is not None else 0)
              for code, text, weight in items]
    lines.append("END_TABLE")
    return lines


def rime_table(rng, keys, items, name="table"):
    lines = ["# generated", "---", "name: " + name, 'version: "0.%d"' % rng.randint(1, 9),
             "sort: " + rng.choice(("by_weight", "original"))]
    if rng.random() < 0.3:
        lines += ["columns:", "  - code", "  - text", "  - weight"]
        order = "code"
    else:
        order = "text"
    if rng.random() < 0.4:
        lines += ["encoder:", "  rules:", "    - length_equal: 2", '      formula: "AaAbBaBb"',
                  "    - length_in_range: [3, 10]", '      formula: "AaBaCaZz"']
    if rng.random() < 0.3:
        lines.append("use_preset_vocabulary: true")
    lines.append("...")
    lines.append("")
    for code, text, weight in items:
        columns = [text, code] if order == "text" else [code, text]
        if weight is not None:
            columns.append(str(weight) if rng.random() < 0.7 else "%s%%" % weight)
        lines.append("\t".join(columns))
    return lines


def word_list(rng, items):
    lines = []
    for _, text, weight in items:
        if rng.random() < 0.03:
            lines.append("# " + text)
        elif weight is None:
            lines.append(text)
        else:
            lines.append("%s%s%s" % (text, rng.choice(("\t", " ", "\t\t")), weight))
    return lines


def encode(rng, lines, faulty):
    line_end = "\r\n" if rng.random() < 0.15 else "\n"
    data = (line_end.join(lines) + (line_end if rng.random() < 0.9 else "")).encode("utf-8")
    if rng.random() < 0.1:
        data = b"\xef\xbb\xbf" + data
    if faulty and data and rng.random() < 0.3:
        at = rng.randrange(len(data))
        data = data[:at] + rng.choice((b"\xff", b"\xc3", b"\x00", b"\xe4\xb8")) + data[at:]
    if faulty and data and rng.random() < 0.2:
        data = data[:rng.randrange(len(data))]
    return data


def desktop_table_case(rng, valid=False):
    faulty = not valid and rng.random() < 0.3
    keys = "".join(sorted(rng.sample(KEYS, rng.randint(5, 26))))
    if rng.random() < 0.2:
        keys += rng.choice(("", ";", "',.", "0123"))
    kind = rng.choice(("cin", "fcitx", "scim", "rime", "rime", "words"))
    words = 0.9 if kind == "words" else rng.choice((0.0, 0.1, 0.3, 0.6))
    items = entries(rng, keys, pick_chars(rng), faulty, words)
    files = {}
    if kind == "cin":
        lines = cin_table(rng, keys, items)
    elif kind == "fcitx":
        lines = fcitx_table(rng, keys, items)
    elif kind == "scim":
        lines = scim_table(rng, keys, items)
    elif kind == "rime":
        lines = rime_table(rng, keys, items)
        if rng.random() < 0.3:
            lines.insert(4, "import_tables:\n  - extra")
            extra = entries(rng, keys, pick_chars(rng), False, 0.3)
            files["extra.dict.yaml"] = encode(rng, rime_table(rng, keys, extra, "extra"), False)
        if rng.random() < 0.5:
            words = entries(rng, keys, pick_chars(rng), False, 0.9) + items
            files["essay.txt"] = encode(rng, word_list(rng, words), False)
    else:
        lines = word_list(rng, items)
    if faulty and lines and rng.random() < 0.3:
        del lines[rng.randrange(len(lines)):]
    files["table.src"] = encode(rng, lines, faulty)
    return files
