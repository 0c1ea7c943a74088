#!/usr/bin/env python3
"""Draws the keyboard pictures of the example input methods.

Each picture is written twice as a 16-colour uncompressed BMP: 154 x 54 for
KeyboardBitmap and 308 x 108 for KeyboardBitmapHDD. The keys are black
outlines on white, four staggered rows, each key labelled with the character
it types. Run it from any folder; it writes next to itself.
"""
import os
import struct

# 3 x 5 glyphs, one string of three characters per row, '#' is ink.
FONT = {
    'A': ['###', '#.#', '###', '#.#', '#.#'], 'B': ['##.', '#.#', '##.', '#.#', '##.'],
    'C': ['###', '#..', '#..', '#..', '###'], 'D': ['##.', '#.#', '#.#', '#.#', '##.'],
    'E': ['###', '#..', '##.', '#..', '###'], 'F': ['###', '#..', '##.', '#..', '#..'],
    'G': ['###', '#..', '#.#', '#.#', '###'], 'H': ['#.#', '#.#', '###', '#.#', '#.#'],
    'I': ['###', '.#.', '.#.', '.#.', '###'], 'J': ['..#', '..#', '..#', '#.#', '###'],
    'K': ['#.#', '#.#', '##.', '#.#', '#.#'], 'L': ['#..', '#..', '#..', '#..', '###'],
    'M': ['#.#', '###', '###', '#.#', '#.#'], 'N': ['##.', '#.#', '#.#', '#.#', '#.#'],
    'O': ['###', '#.#', '#.#', '#.#', '###'], 'P': ['###', '#.#', '###', '#..', '#..'],
    'Q': ['###', '#.#', '#.#', '###', '..#'], 'R': ['##.', '#.#', '##.', '#.#', '#.#'],
    'S': ['###', '#..', '###', '..#', '###'], 'T': ['###', '.#.', '.#.', '.#.', '.#.'],
    'U': ['#.#', '#.#', '#.#', '#.#', '###'], 'V': ['#.#', '#.#', '#.#', '#.#', '.#.'],
    'W': ['#.#', '#.#', '###', '###', '#.#'], 'X': ['#.#', '#.#', '.#.', '#.#', '#.#'],
    'Y': ['#.#', '#.#', '.#.', '.#.', '.#.'], 'Z': ['###', '..#', '.#.', '#..', '###'],
    '0': ['###', '#.#', '#.#', '#.#', '###'], '1': ['.#.', '##.', '.#.', '.#.', '###'],
    '2': ['###', '..#', '###', '#..', '###'], '3': ['###', '..#', '.##', '..#', '###'],
    '4': ['#.#', '#.#', '###', '..#', '..#'], '5': ['###', '#..', '###', '..#', '###'],
    '6': ['###', '#..', '###', '#.#', '###'], '7': ['###', '..#', '..#', '.#.', '.#.'],
    '8': ['###', '#.#', '###', '#.#', '###'], '9': ['###', '#.#', '###', '..#', '###'],
    '-': ['...', '...', '###', '...', '...'], ',': ['...', '...', '...', '.#.', '#..'],
    '.': ['...', '...', '...', '...', '.#.'], '/': ['..#', '..#', '.#.', '#..', '#..'],
    ';': ['...', '.#.', '...', '.#.', '#..'], "'": ['.#.', '.#.', '...', '...', '...'],
    '?': ['###', '..#', '.##', '...', '.#.'], '\\': ['#..', '#..', '.#.', '..#', '..#'],
    ' ': ['...', '...', '...', '...', '...'],
}

# The 16-colour palette: black first, white last (blue, green, red, 0).
PALETTE = [(0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128),
           (128, 128, 0), (192, 192, 192), (128, 128, 128), (0, 0, 255), (0, 255, 0),
           (0, 255, 255), (255, 0, 0), (255, 0, 255), (255, 255, 0), (255, 255, 255)]
BLACK, WHITE = 0, 15

KEY_WIDTH, KEY_HEIGHT, GAP = 11, 12, 1
ROW_STAGGER = [0, 3, 5, 8]


def keyboard(rows, scale):
    """The picture as rows of colour indexes, top row first."""
    width, height = 154 * scale, 54 * scale
    pixels = [[WHITE] * width for _ in range(height)]

    def ink(x, y):
        pixels[y][x] = BLACK

    for r, labels in enumerate(rows):
        top = (1 + r * (KEY_HEIGHT + 1)) * scale
        for c, label in enumerate(labels):
            left = (1 + ROW_STAGGER[r] + c * (KEY_WIDTH + GAP)) * scale
            right, bottom = left + KEY_WIDTH * scale - 1, top + KEY_HEIGHT * scale - 1
            for x in range(left, right + 1):
                ink(x, top)
                ink(x, bottom)
            for y in range(top, bottom + 1):
                ink(left, y)
                ink(right, y)
            glyph_left = left + (KEY_WIDTH * scale - 3 * scale) // 2
            glyph_top = top + (KEY_HEIGHT * scale - 5 * scale) // 2
            for gy, line in enumerate(FONT[label]):
                for gx, dot in enumerate(line):
                    if dot == '#':
                        for dy in range(scale):
                            for dx in range(scale):
                                ink(glyph_left + gx * scale + dx, glyph_top + gy * scale + dy)
    return pixels


def bmp(pixels):
    """A 4-bit uncompressed BMP file of the picture."""
    height, width = len(pixels), len(pixels[0])
    stride = ((width + 1) // 2 + 3) // 4 * 4
    data = bytearray()
    for row in reversed(pixels):
        line = bytearray(stride)
        for x in range(0, width, 2):
            right = row[x + 1] if x + 1 < width else 0
            line[x // 2] = (row[x] << 4) | right
        data += line
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for b, g, r in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, len(data), 2835, 2835, 16, 0)
    return header + info + palette + bytes(data)


KEYBOARDS = {
    'pinyin': ['1234567890-', 'QWERTYUIOP\\', "ASDFGHJKL;'", 'ZXCVBNM,./?'],
    'shapes': ['1234567890', 'QWERTYUIOP', 'ASDFGHJKL;', 'ZXCVBNM,./'],
    'kana': ['1234567890-', 'QWERTYUIOP', 'ASDFGHJKL;', 'ZXCVBNM,.'],
}

if __name__ == '__main__':
    folder = os.path.dirname(os.path.abspath(__file__))
    for name, rows in KEYBOARDS.items():
        for suffix, scale in (('', 1), ('HDD', 2)):
            with open(os.path.join(folder, f'{name}{suffix}.bmp'), 'wb') as out:
                out.write(bmp(keyboard(rows, scale)))
