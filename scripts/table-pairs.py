#!/usr/bin/env python3
"""Checks what Mabrel /i made of a table against the peer's own dump of it.

    table-pairs.py FORMAT DUMP SOURCE

FORMAT is cin, fcitx or scim: how DUMP (written by hime-gtab2cin, mb2txt,
libime_tabledict -d or scim-make-table) lists its entries. The (code, text)
pairs of the dump, less those the import's list of what it left out names
(SOURCE's name with -import-left-out.txt), must be the pairs of SOURCE's
[Text] and the words of its phrase list (with -phrases.txt): the same pairs, and
for a table without weights in the same order. Prints the counts checked.
"""
import ctypes
import os
import sys


def lines_of(path):
    """The lines of a file (none when it is absent); a line that is not
    UTF-8 is None."""
    if not os.path.exists(path):
        return
    with open(path, 'rb') as f:
        for raw in f.read().split(b'\n'):
            try:
                yield raw.rstrip(b'\r').decode('utf-8')
            except UnicodeDecodeError:
                yield None


def dump_entries(form, path):
    """(code, text, weight) of each entry of the dump, in its order."""
    entries, part, skipped = [], None, ''
    for line in lines_of(path):
        if line is None:
            continue
        stripped = line.strip(' \t')
        if form == 'fcitx' and '=' in stripped and part is None:
            key, _, value = stripped.partition('=')
            # Records of these are a key's prompt and the codes that build
            # words, no entries; Pinyin's are entries (their code begins with
            # its key: wbpy's "@a 阿").
            if key in ('Prompt', 'ConstructPhrase'):
                skipped += value
            continue
        if stripped in ('%chardef begin', '[Data]', 'BEGIN_TABLE'):
            part = 'data'
            continue
        if stripped in ('%chardef end', 'END_TABLE'):
            part = None
            continue
        # The dumps of binary tables write no comments: in fcitx's data a
        # line of "#" is the code "#" (translit's "# ъ"); in .cin a comment
        # begins its line, and hime-gtab2cin writes a code "#" after a blank;
        # SCIM and ibus-table take only "###" for a comment.
        if form == 'scim':
            comment = stripped.startswith('###')
        elif form == 'cin':
            comment = line.startswith('#')
        else:
            comment = form != 'fcitx' and stripped.startswith('#')
        if part is None or not stripped or comment:
            continue
        # Blanks and tabs part the columns, not every space of Unicode (U+3000
        # is a character of many tables).
        fields = [f for f in stripped.replace('\t', ' ').split(' ') if f]
        if form == 'scim' and '\t' in stripped:
            fields = stripped.split('\t')
        if len(fields) < 2 or (skipped and fields[0][0] in skipped):
            continue
        weight = float(fields[2]) if form == 'scim' and len(fields) > 2 else 0
        entries.append((fields[0], fields[1], weight))
    return entries


# The conversions each CharSet is written with, in the order the tools try
# them: the C library's iconv, whose Big5 and GB tables are not Python's (it
# writes U+2215 and U+FF0F alike in Big5, and private-use points as the
# HKSCS characters they stood for).
CODECS = {'ChineseGB': ['EUC-CN', 'CP936'], 'ChineseGBK': ['GBK', 'CP936', 'GB18030'],
          'ChineseBIG5': ['BIG5-HKSCS', 'CP950', 'BIG5'], 'JapaneseJIS': ['EUC-JP', 'EUC-JP-MS'],
          'JapaneseSJIS': ['CP932', 'SHIFT_JIS'], 'KoreanKSC': ['EUC-KR', 'CP949']}
LIBC = ctypes.CDLL(None, use_errno=True)
LIBC.iconv_open.restype = ctypes.c_void_p
LIBC.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
LIBC.iconv.restype = ctypes.c_size_t
LIBC.iconv.argtypes = [ctypes.c_void_p] + [ctypes.c_void_p] * 4
CONVERTERS, SPELLED = {}, {}


def iconv(name, character):
    """The bytes of one UTF-8 character in `name`, or None."""
    if name not in CONVERTERS:
        CONVERTERS[name] = LIBC.iconv_open(name.encode(), b'UTF-8')
    handle = CONVERTERS[name]
    if handle in (None, ctypes.c_void_p(-1).value):
        return None
    LIBC.iconv(handle, None, None, None, None)
    source = ctypes.create_string_buffer(character, len(character))
    target = ctypes.create_string_buffer(16)
    pointers = [ctypes.c_char_p(ctypes.addressof(source)), ctypes.c_char_p(ctypes.addressof(target))]
    left = [ctypes.c_size_t(len(character)), ctypes.c_size_t(16)]
    result = LIBC.iconv(handle, ctypes.byref(pointers[0]), ctypes.byref(left[0]),
                        ctypes.byref(pointers[1]), ctypes.byref(left[1]))
    if result == ctypes.c_size_t(-1).value or left[0].value:
        return None
    return target.raw[:16 - left[1].value]


def spelling(text, codecs):
    """The text in the CharSet's bytes, character by character as the tools
    write it (a character no conversion writes as two bytes stays UTF-8): two
    characters that the CharSet writes alike are one."""
    spelled = b''
    for character in text:
        key = (character, tuple(codecs))
        if key not in SPELLED:
            utf8 = character.encode('utf-8')
            forms = [iconv(name, utf8) for name in codecs] if ord(character) >= 0x80 else []
            SPELLED[key] = next((f for f in forms if f and len(f) == 2), utf8)
        spelled += SPELLED[key]
    return spelled


def char_set_of(path):
    for line in lines_of(path):
        if line and line.startswith('CharSet='):
            return CODECS.get(line[8:], [])
    return []


def source_pairs(path):
    pairs, text = [], False
    for line in lines_of(path):
        if line == '[Text]':
            text = True
        elif text and line and not line.startswith('//'):
            code, _, characters = line.partition(' ')
            pairs += [(code, c) for c in characters]
    return pairs


def shown(pairs, codecs):
    """The first few pairs, to tell what differs."""
    def text(spelled):
        for codec in codecs + ['UTF-8']:
            try:
                return spelled.decode(codec.replace('-', '_').lower())
            except (UnicodeError, LookupError):
                pass
        return repr(spelled)
    return ', '.join(f'{c} {text(t)!r}' for c, t in sorted(pairs)[:4])


def main(form, dump, source):
    phrases = source[:-4] + '-phrases.txt'
    left_out = source[:-4] + '-import-left-out.txt'
    entries = dump_entries(form, dump)
    codecs = char_set_of(source)
    # What the list names, by (code, text): repeats apart, since they are
    # the later ones of a pair (or word) kept.
    left, repeats = {}, {}
    for line in lines_of(left_out):
        fields = line.split('\t') if line else []
        if len(fields) == 4 and fields[3] != 'not UTF-8 text':
            named = repeats if fields[3].startswith('repeated') else left
            key = (fields[1], fields[2])
            named[key] = named.get(key, 0) + 1
    kept, first, gone = [], {}, set()
    for code, text, weight in entries:
        key = (code, text) if (code, text) in left or (code, text) in repeats else (text, '')
        spelled = (code if len(text) == 1 else '', spelling(text, codecs))
        if left.get(key, 0) > 0:
            left[key] -= 1
            gone.add((code, text))
        elif repeats.get(key, 0) > 0 and (spelled in first or (code, text) in gone):
            repeats[key] -= 1
            if spelled in first:
                at = first[spelled]
                kept[at] = (kept[at][0], kept[at][1], max(kept[at][2], weight))
        else:
            first.setdefault(spelled, len(kept))
            kept.append((code, text, weight))
    singles = [(c, t, w) for c, t, w in kept if len(t) == 1]
    if any(w for _, _, w in singles):
        singles.sort(key=lambda e: -e[2])
    expected = [(c, spelling(t, codecs)) for c, t, _ in singles]
    got = [(c, spelling(t, codecs)) for c, t in source_pairs(source)]
    words = [line for line in lines_of(phrases) if line]
    words = words[words.index('[Phrase]') + 1:] if '[Phrase]' in words else []
    expected_words = {t for _, t, _ in kept if len(t) > 1}
    problems = []
    if sorted(got) != sorted(expected):
        missing, extra = set(expected) - set(got), set(got) - set(expected)
        problems.append(f'{len(missing)} pairs missing ({shown(missing, codecs)}), '
                        f'{len(extra)} pairs not in the dump ({shown(extra, codecs)})')
    elif got != expected:
        problems.append('the pairs stand in another order')
    if set(w for w in words if w) != expected_words:
        problems.append(f'{len(expected_words ^ set(words))} words differ')
    unnamed = sum(left.values()) + sum(repeats.values())
    if unnamed:
        problems.append(f'{unnamed} entries of the left-out list are not in the dump')
    print(f'table-pairs: {source}: {len(got)} pairs and {len(words)} words checked'
          f' of {len(entries)} entries, {len(entries) - len(kept)} left out')
    for problem in problems:
        print(f'table-pairs: {source}: {problem}', file=sys.stderr)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main(*sys.argv[1:]))
