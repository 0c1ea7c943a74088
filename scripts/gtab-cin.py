#!/usr/bin/env python3
"""Writes the %chardef of a hime or gcin .gtab as .cin text, where
hime-gtab2cin cannot: it stops at the first character that is not UTF-8 (in
the quick keys of gcin's array-symbols.gtab, before any entry) and reads a
word number of 16 bits, though the compilers write 24 (gcin's NewCJ3.gtab
holds 69,725 words).

    gtab-cin.py TABLE.gtab > TABLE.cin

The layout is the compilers' (hime-cin2gtab): a header of 86,680 bytes
(KeyS at 56, MaxPress at 60, DefC at 68, keybits at 86651), KeyS key
characters, KeyS key names of 4 bytes, KeyS + 1 first-item indexes of 4
bytes, DefC items (a key of 4 bytes, 8 where keybits * MaxPress passes 32,
then 4 bytes of character), and the word count, offsets and bytes. A
character whose first byte is below 0x80 is a word number. Bytes that are
not UTF-8 are written as they stand.
"""
import struct
import sys


def main(path):
    data = open(path, 'rb').read()
    for order in '<>':
        keys, most, _, items = struct.unpack_from(order + '4I', data, 56)
        if 1 <= keys <= 128 and 1 <= most <= 10:
            break
    bits = data[86651] or (6 if most <= 5 else 7)
    width = 8 if bits * most > 32 else 4
    keymap = data[86680:86680 + keys]
    at = 86680 + keys + 4 * keys + 4 * (keys + 1)
    words_at = at + (width + 4) * items
    offsets = []
    if words_at + 4 <= len(data):
        count = struct.unpack_from(order + 'I', data, words_at)[0]
        offsets = struct.unpack_from(order + '%dI' % count, data, words_at + 4)
    text_at = words_at + 4 + 4 * len(offsets)
    out = sys.stdout.buffer
    out.write(b'%chardef begin\n')
    for item in range(items):
        start = at + (width + 4) * item
        key = struct.unpack_from(order + ('Q' if width == 8 else 'I'), data, start)[0]
        code = bytearray()
        for press in range(most):
            number = (key >> (bits * (width * 8 // bits - press - 1))) & ((1 << bits) - 1)
            if number == 0:
                break
            code.append(keymap[number])
        character = data[start + width:start + width + 4]
        if character[0] >= 0x80:
            text = character.split(b'\0')[0]
        else:
            number = character[0] << 16 | character[1] << 8 | character[2]
            text = data[text_at + offsets[number]:text_at + offsets[number + 1]]
        out.write((b' ' if code.startswith(b'#') else b'') + bytes(code) + b' ' + text + b'\n')
    out.write(b'%chardef end\n')


if __name__ == '__main__':
    main(sys.argv[1])
