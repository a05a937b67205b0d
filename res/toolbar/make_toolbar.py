#!/usr/bin/env python3
"""Draws the toolbar strip: eight button images of 16 x 15 pixels side by side.

Writes toolbar.png (128 x 15, 4-bit indexed, the 16 standard colours) beside
itself. The light grey of the background becomes the button face when the
toolbar cuts the strip into buttons. Run it again after changing a drawing;
the PNG is kept in the tree.

Images, left to right: People, Display, Compatibility, Print, About,
Previous Month, Next Month, Context help.
"""

import math
import os
import struct
import zlib

WIDTH, HEIGHT = 16, 15
COUNT = 8

# The 16 colours of the standard palette, in their usual order, and the
# letter that stands for each in the drawings below.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
LETTERS = "krgobmc.dRGYBMCw"
BACKGROUND = LETTERS.index(".")

CAKE = [
    "........Y.......",
    ".......YYY......",
    ".......YRY......",
    "........Y.......",
    ".......BBb......",
    ".......BBb......",
    ".......BBb......",
    "..kkkkkkkkkkkk..",
    ".kwwwwwwwwwwwwk.",
    ".kwRwwwRwwwRwwk.",
    ".kooooooooooook.",
    ".kYYYYYYYYYYYYk.",
    ".kooooooooooook.",
    "kkkkkkkkkkkkkkkk",
    ".dddddddddddddd.",
]

PEOPLE = [
    "..RRR......BBB..",
    "..RRR......BBB..",
    "..RRR......BBB..",
    "...R........B...",
    "RRRRRRR..BBBBBBB",
    "...R........B...",
    "...R........B...",
    "...R........B...",
    "..R.R......B.B..",
    "..R.R......B.B..",
    ".R...R....B...B.",
    ".R...R....B...B.",
    "R.....R..B.....B",
    "R.....R..B.....B",
    "................",
]

PRINTER = [
    "................",
    "....kkkkkkkk....",
    "....kwwwwwwk....",
    "....kwkkkkwk....",
    "....kwwwwwwk....",
    "..kkkkkkkkkkkk..",
    ".kwwwwwwwwwwwwk.",
    ".kwddddddddddwk.",
    ".kwddddddddGGdk.",
    ".kddddddddddddk.",
    ".kkkkkkkkkkkkkk.",
    "..kwwwwwwwwwwk..",
    "..kwkkkkkkkwwk..",
    "..kwwwwwwwwwwk..",
    "..kkkkkkkkkkkk..",
]

QUESTION = [
    "................",
    ".....kkkkkk.....",
    "....kYYYYYYk....",
    "...kYYkkkkYYk...",
    "...kYYk..kYYk...",
    "....kk...kYYk...",
    "........kYYk....",
    ".......kYYk.....",
    "......kYYk......",
    "......kYYk......",
    ".......kk.......",
    "......kkkk......",
    "......kYYk......",
    "......kYYk......",
    ".......kk.......",
]

CONTEXT_HELP = [
    "k...............",
    "kk.......bbbbb..",
    "kwk.....bb...bb.",
    "kwwk....bb...bb.",
    "kwwwk.......bb..",
    "kwwwwk.....bb...",
    "kwwwwwk....bb...",
    "kwwwkkkk...bb...",
    "kwkwk...........",
    "kk.kwk.....bb...",
    "k...kwk....bb...",
    ".....kwk........",
    "......kk........",
    "................",
    "................",
]


def from_letters(rows):
    assert len(rows) == HEIGHT and all(len(row) == WIDTH for row in rows)
    return [[LETTERS.index(letter) for letter in row] for row in rows]


def blank():
    return [[BACKGROUND] * WIDTH for _ in range(HEIGHT)]


def curves():
    """Three waves of different periods crossing the zero line."""
    image = blank()
    zero = HEIGHT // 2
    for x in range(WIDTH):
        image[zero][x] = LETTERS.index("k")
    # Colour, period in pixels, phase, amplitude in pixels.
    waves = [("Y", 20.0, math.pi / 2, 5.0), ("B", 12.0, math.pi, 4.0), ("R", 16.0, 0.0, 6.0)]
    for letter, period, phase, amplitude in waves:
        colour = LETTERS.index(letter)
        previous = None
        for x in range(WIDTH):
            y = zero - int(round(amplitude * math.sin(2 * math.pi * x / period + phase)))
            # Join the points vertically so that steep parts stay unbroken.
            low, high = (y, y) if previous is None else (min(y, previous), max(y, previous))
            for row in range(low, high + 1):
                image[row][x] = colour
            previous = y
    return image


def triangle(pointing_left):
    """A dark blue triangle, its point at mid height."""
    image = blank()
    middle = HEIGHT // 2
    point, base = 5, 10
    for x in range(point, base + 1):
        reach = x - point
        column = x if pointing_left else WIDTH - 1 - x
        for y in range(middle - reach, middle + reach + 1):
            image[y][column] = LETTERS.index("b")
    return image


def strip():
    images = [
        from_letters(CAKE),
        curves(),
        from_letters(PEOPLE),
        from_letters(PRINTER),
        from_letters(QUESTION),
        triangle(pointing_left=True),
        triangle(pointing_left=False),
        from_letters(CONTEXT_HELP),
    ]
    assert len(images) == COUNT
    return [sum((image[y] for image in images), []) for y in range(HEIGHT)]


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(rows):
    width = len(rows[0])
    header = struct.pack(">IIBBBBB", width, len(rows), 4, 3, 0, 0, 0)
    palette = b"".join(bytes(colour) for colour in PALETTE)
    raw = b""
    for row in rows:
        padded = row + [0] * (width % 2)
        raw += b"\x00" + bytes(padded[i] << 4 | padded[i + 1] for i in range(0, len(padded), 2))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"PLTE", palette)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    rows = strip()
    assert len(rows[0]) == WIDTH * COUNT
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "toolbar.png")
    with open(path, "wb") as out:
        out.write(png(rows))


if __name__ == "__main__":
    main()
