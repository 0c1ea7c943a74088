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
        # begins its line, and hime-gtab2cin writes a code "#" after a blank.
        comment = line.startswith('#') if form == 'cin' else stripped.startswith('#')
        if part is None or not stripped or (comment and form != 'fcitx'):
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
# them: the C library's, through iconv, since Python's codecs differ from them
# (its cp950 lacks the private-use characters of older Hong Kong tables and
# writes U+2215 where BIG5-HKSCS writes U+FF0F); Python's where libc has none.
CODECS = {'ChineseGB': ['EUC-CN', 'CP936'], 'ChineseGBK': ['GBK', 'CP936', 'GB18030'],
          'ChineseBIG5': ['BIG5-HKSCS', 'CP950', 'BIG5'], 'JapaneseJIS': ['EUC-JP', 'EUC-JP-MS'],
          'JapaneseSJIS': ['CP932', 'SHIFT_JIS'], 'KoreanKSC': ['EUC-KR', 'CP949']}
libc = ctypes.CDLL(None)
libc.iconv_open.restype = ctypes.c_void_p
libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
libc.iconv.restype = ctypes.c_size_t
libc.iconv.argtypes = [ctypes.c_void_p] + [ctypes.c_void_p] * 4
FAILED = ctypes.c_size_t(-1).value
opened = {}


def converted(text, name):
    """The text as the conversion `name` writes it, else None."""
    if name not in opened:
        cd = libc.iconv_open(name.encode(), b'UTF-8')
        opened[name] = None if cd in (None, FAILED) else cd
    cd = opened[name]
    if cd is None:
        try:
            return text.encode(name.replace('-', '_').lower())
        except (UnicodeError, LookupError):
            return None
    source = text.encode('utf-8')
    inbuf = ctypes.create_string_buffer(source, len(source))
    out = ctypes.create_string_buffer(4 * len(source) + 4)
    inp, outp = ctypes.c_char_p(ctypes.addressof(inbuf)), ctypes.c_char_p(ctypes.addressof(out))
    inleft, outleft = ctypes.c_size_t(len(source)), ctypes.c_size_t(len(out))
    done = libc.iconv(cd, ctypes.byref(inp), ctypes.byref(inleft), ctypes.byref(outp),
                      ctypes.byref(outleft))
    libc.iconv(cd, None, None, None, None)
    if done == FAILED or inleft.value:
        return None
    return out.raw[:len(out) - outleft.value]


def spelling(text, codecs):
    """The text in the CharSet's bytes: two characters that the CharSet
    writes alike are one."""
    for codec in codecs:
        spelled = converted(text, codec)
        if spelled is not None:
            return spelled
    return text.encode('utf-8')


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
