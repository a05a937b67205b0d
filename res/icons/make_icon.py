#!/usr/bin/env python3
"""Draws the program icon: a calendar page with the four cycle curves.

Writes orvina.png (32 x 32, RGBA, only the 16 standard colours) and
orvina.ico (32 x 32, 16 colours with a transparency mask) beside itself.
Run it again after changing the drawing; both files are kept in the tree.
"""

import math
import os
import struct
import zlib

SIZE = 32

# The 16 colours of the standard palette, in their usual order.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, SILVER, GREY, RED, BLUE, WHITE = 0, 1, 2, 7, 8, 9, 12, 15
CLEAR = None

# The page and its parts, in pixels.
PAGE_LEFT, PAGE_TOP, PAGE_RIGHT, PAGE_BOTTOM = 2, 4, 29, 30
HEADER_BOTTOM = 9
RING_COLUMNS = (8, 15, 22)
CHART_LEFT, CHART_RIGHT = 4, 27
ZERO_LINE = 20
AMPLITUDE = 7

# Each cycle's colour and period as on the chart, with the periods shrunk so
# that the shortest shows a little more than one wave, and a starting phase
# that keeps the four curves apart.
CURVES = [
    (BLACK, 23, 0.0),
    (RED, 28, 1.6),
    (BLUE, 33, 3.3),
    (GREEN, 38, 4.7),
]
PERIOD_SCALE = 0.8


def draw():
    image = [[CLEAR] * SIZE for _ in range(SIZE)]

    def put(x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            image[y][x] = colour

    for y in range(PAGE_TOP, PAGE_BOTTOM + 1):
        for x in range(PAGE_LEFT, PAGE_RIGHT + 1):
            edge = x in (PAGE_LEFT, PAGE_RIGHT) or y in (PAGE_TOP, PAGE_BOTTOM)
            header = y <= HEADER_BOTTOM
            put(x, y, BLACK if edge else MAROON if header else WHITE)
    # A shadow on the right and at the bottom lifts the page off the desk.
    for y in range(PAGE_TOP + 1, PAGE_BOTTOM + 2):
        put(PAGE_RIGHT + 1, y, GREY)
    for x in range(PAGE_LEFT + 1, PAGE_RIGHT + 2):
        put(x, PAGE_BOTTOM + 1, GREY)
    # Binder rings over the header.
    for x in RING_COLUMNS:
        for y in range(PAGE_TOP - 3, PAGE_TOP + 3):
            put(x, y, SILVER)
            put(x + 1, y, GREY)
    # Day columns and the zero line.
    for x in range(CHART_LEFT + 3, CHART_RIGHT, 5):
        for y in range(HEADER_BOTTOM + 2, PAGE_BOTTOM):
            put(x, y, SILVER)
    for x in range(CHART_LEFT, CHART_RIGHT + 1):
        put(x, ZERO_LINE, GREY)

    for colour, period, phase in CURVES:
        previous = None
        for x in range(CHART_LEFT, CHART_RIGHT + 1):
            angle = 2 * math.pi * (x - CHART_LEFT) / (period * PERIOD_SCALE) + phase
            y = ZERO_LINE - round(AMPLITUDE * math.sin(angle))
            # Join steep steps so that each curve stays one unbroken line.
            if previous is not None:
                step = 1 if y > previous else -1
                for between in range(previous + step, y, step):
                    put(x, between, colour)
            put(x, y, colour)
            previous = y
    return image


def png_bytes(image):
    raw = bytearray()
    for row in image:
        raw.append(0)
        for colour in row:
            if colour is CLEAR:
                raw += bytes((0, 0, 0, 0))
            else:
                raw += bytes(PALETTE[colour]) + b"\xff"

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def ico_bytes(image):
    # The colour rows (4 bits a pixel) and the mask rows (1 bit a pixel, set
    # where the icon is transparent) are stored bottom row first.
    colour_rows = bytearray()
    mask_rows = bytearray()
    for row in reversed(image):
        for x in range(0, SIZE, 2):
            high = row[x] if row[x] is not CLEAR else BLACK
            low = row[x + 1] if row[x + 1] is not CLEAR else BLACK
            colour_rows.append(high << 4 | low)
        bits = 0
        for colour in row:
            bits = bits << 1 | (colour is CLEAR)
        mask_rows += struct.pack(">I", bits)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0,
                       len(colour_rows) + len(mask_rows), 0, 0, 16, 0)
    bitmap = info + palette + bytes(colour_rows) + bytes(mask_rows)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(bitmap), 6 + 16)
    return directory + entry + bitmap


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    image = draw()
    with open(os.path.join(here, "orvina.png"), "wb") as out:
        out.write(png_bytes(image))
    with open(os.path.join(here, "orvina.ico"), "wb") as out:
        out.write(ico_bytes(image))


if __name__ == "__main__":
    main()
