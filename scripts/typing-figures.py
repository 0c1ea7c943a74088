#!/usr/bin/env python3
"""Computes the weighted typing figures of `Mabrel /s Database Frequencies`
from their definitions, apart from the tool: from the UTF-8 source that
`Mabrel /u` writes and a frequency source (a weighted word list, or any
other text whose characters count once each). Prints the three figure lines.

Usage: scripts/typing-figures.py Decompiled.txt Frequencies
"""
import re
import sys

# The tools write a character through the first of their mappings that has
# it: the second codecs stand for the ones that answer where the first has none.
CODECS = {'ChineseGB': ['gb2312'], 'ChineseGBK': ['gbk'], 'ChineseBIG5': ['big5hkscs', 'cp950', 'big5'],
          'JapaneseJIS': ['euc_jp'], 'JapaneseSJIS': ['shift_jis', 'cp932'],
          'KoreanKSC': ['euc_kr']}


def read_source(name):
    charset, codes, in_text = None, {}, False
    for line in open(name, encoding='utf-8-sig'):
        line = line.rstrip('\r\n')
        if line.startswith('CharSet='):
            charset = line.split('=', 1)[1].strip()
        if line.strip().lower() == '[text]':
            in_text = True
            continue
        if not in_text or line.startswith('//') or not line.strip():
            continue
        m = re.match(r'[ \t]*([\x21-\x7e]+?)[ \t]*([^\x00-\x7f].*)$', line)
        if not m:
            continue
        code, rest = m.group(1), m.group(2)
        chars = codes.setdefault(code, [])
        for ch in rest:
            if ch in ' \t':
                continue
            if ord(ch) < 0x80:
                break
            if ch not in chars:
                chars.append(ch)
    return charset, codes


def read_weights(name):
    text = open(name, encoding='utf-8-sig').read()
    weights, weighted = {}, False
    for line in text.split('\n'):
        line = line.strip(' \t\r')
        if not line or line.startswith('#'):
            continue
        columns = line.split()
        for column in columns[1:]:
            if column.rstrip('%').isdigit():
                weighted = True
                for ch in columns[0]:
                    if ord(ch) >= 0x80:
                        weights[ch] = weights.get(ch, 0) + int(column.rstrip('%'))
                break
    if weighted:
        return weights
    weights = {}
    for ch in text:
        if ord(ch) >= 0x80:
            weights[ch] = weights.get(ch, 0) + 1
    return weights


def main():
    charset, codes = read_source(sys.argv[1])
    weights = read_weights(sys.argv[2])
    codec = CODECS[charset]
    keys, first = {}, set()
    for code, chars in codes.items():
        for p, ch in enumerate(chars):
            cost = len(code) if p == 0 else len(code) + 1 + p // 10
            keys[ch] = min(keys.get(ch, cost), cost)
            if p == 0:
                first.add(ch)

    def writable(ch):
        for name in codec:
            try:
                if len(ch.encode(name)) == 2:
                    return True
            except UnicodeEncodeError:
                pass
        return False

    total = sum(w for ch, w in weights.items() if writable(ch))
    coded = sum(w for ch, w in weights.items() if ch in keys)
    first_weight = sum(w for ch, w in weights.items() if ch in first)
    key_weight = sum(w * keys[ch] for ch, w in weights.items() if ch in keys)
    print('  Coded              %.2f %%' % (100.0 * coded / total if total else 0))
    print('  First candidate    %.2f %%' % (100.0 * first_weight / coded if coded else 0))
    print('  Keys per character %.3f' % (key_weight / coded if coded else 0))


main()
