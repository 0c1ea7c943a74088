#!/usr/bin/env python3
"""Gives a phrase database user phrases, as the handheld does when its user
adds them, so that Tosker /m and /d can be tried on a database of a device.

    python3 scripts/give-user-phrases.py Source.pdb Dest.pdb Phrases.txt

Phrases.txt holds one phrase a line in UTF-8. A phrase the database holds
gets a user marker; any other goes at the end of its first character's list
with one (the MaxPhraseLength of the database grows to hold the longest).
A user phrase is stored as its character words followed by the
marker 0xFF01 (bit 15: the end of the phrase, bit 0: the user's). The
databases of the 94 x 94 sets (ChineseGB, JapaneseJIS, KoreanKSC) are
understood.
"""
import struct
import sys

ENCODINGS = {16: "gb2312", 32: "euc_jp", 48: "euc_kr"}
USER_MARKER = 0xFF01
END = 0x8000


def index_of(character, encoding):
    data = character.encode(encoding)
    if len(data) != 2 or data[0] < 0xA1 or data[1] < 0xA1:
        raise SystemExit(f"{character!r} is no character of the database")
    return 256 + (data[0] - 0xA1) * 94 + (data[1] - 0xA1)


def read_container(image):
    count = struct.unpack_from(">H", image, 76)[0]
    entries = [struct.unpack_from(">4sHI", image, 78 + 10 * k) for k in range(count)]
    offsets = [offset for _, _, offset in entries] + [len(image)]
    bodies = [image[offsets[k]:offsets[k + 1]] for k in range(count)]
    return [(kind, rid) for kind, rid, _ in entries], bodies


def read_lists(body):
    """The 256 lists of a block, each a list of phrases (lists of words)."""
    first = struct.unpack_from(">H", body, 0)[0]
    lists = [[] for _ in range(256)]
    for position in range(first, 256):
        start, stop = struct.unpack_from(">HH", body, 2 + 2 * (position - first))
        words = struct.unpack_from(f">{(stop - start) // 2}H", body, start)
        phrase = []
        for word in words:
            phrase.append(word)
            if word & END:
                lists[position].append(phrase)
                phrase = []
    return lists


def write_block(lists):
    used = [p for p in range(256) if lists[p]]
    first = used[0] if used else 256
    offset = 2 + 2 * (257 - first)
    table, words = [], []
    for position in range(first, 256):
        table.append(offset + 2 * len(words))
        for phrase in lists[position]:
            words.extend(phrase)
    table.append(offset + 2 * len(words))
    return struct.pack(f">H{len(table)}H{len(words)}H", first, *table, *words)


def main():
    if len(sys.argv) != 4:
        raise SystemExit(__doc__)
    image = open(sys.argv[1], "rb").read()
    resources, bodies = read_container(image)
    head = bytearray(bodies[0])
    encoding = ENCODINGS.get(struct.unpack_from(">H", head, 2)[0])
    if resources[0][0] != b"HEAD" or encoding is None:
        raise SystemExit(f"{sys.argv[1]} is no phrase database of a 94 x 94 set")
    blocks = [read_lists(body) for body in bodies[1:]]
    added = 0
    longest = 0
    for line in open(sys.argv[3], encoding="utf-8"):
        phrase = line.strip()
        if len(phrase) < 2:
            continue
        indexes = [index_of(c, encoding) for c in phrase]
        longest = max(longest, len(indexes))
        block, position = divmod(indexes[0] - 256, 256)
        phrases = blocks[block][position]
        rest = indexes[1:]
        user = rest + [USER_MARKER]
        for k, held in enumerate(phrases):
            if [word & 0x7FFF for word in held if word & 0x7FFF < 0x7F00] == rest:
                phrases[k] = user
                break
        else:
            phrases.append(user)
            added += 1
    struct.pack_into(">I", head, 12, struct.unpack_from(">I", head, 12)[0] + added)
    struct.pack_into(">H", head, 10, max(longest, struct.unpack_from(">H", head, 10)[0]))
    bodies = [bytes(head)] + [write_block(lists) for lists in blocks]
    count = len(resources)
    offset = 78 + 10 * count + (2 if count % 2 == 0 else 0)
    directory = b""
    for (kind, rid), body in zip(resources, bodies):
        directory += struct.pack(">4sHI", kind, rid, offset)
        offset += len(body)
    gap = b"\0\0" if count % 2 == 0 else b""
    with open(sys.argv[2], "wb") as out:
        out.write(image[:78] + directory + gap + b"".join(bodies))


if __name__ == "__main__":
    main()
