#!/usr/bin/env python3
"""Draws the scalable program icon and renders it at the menu's sizes.

The motif is the one of res/icons/orvina.png: a calendar page with a maroon
header, three binder rings, day columns, the zero line and the four cycle
curves in the chart's colours. Writes com.quandrel.Orvina.svg and
hicolor/NxN/com.quandrel.Orvina.png beside itself (needs rsvg-convert from
librsvg2-bin). Run it again after changing the drawing; the files are kept in
the tree.
"""

import math
import os
import subprocess

ICON = "com.quandrel.Orvina"
SIZES = (16, 22, 24, 32, 48, 64, 128, 256)

# The page and its parts, in units of a 256 x 256 canvas.
PAGE_LEFT, PAGE_TOP, PAGE_RIGHT, PAGE_BOTTOM = 16, 34, 236, 244
HEADER_BOTTOM = 82
RING_CENTRES = (68, 126, 184)
CHART_LEFT, CHART_RIGHT = 34, 218
ZERO_LINE = 166
AMPLITUDE = 54

# Each cycle's colour and period as on the chart, with the periods shrunk so
# that the shortest shows a little more than one wave, and a starting phase
# that keeps the four curves apart (as in the 32 x 32 picture).
CURVES = [
    ("#000000", 23, 0.0),
    ("#ff0000", 28, 1.6),
    ("#0000ff", 33, 3.3),
    ("#008000", 38, 4.7),
]
PERIOD_SCALE = 0.8 * 8


def curve_path(period, phase):
    points = []
    steps = 96
    for i in range(steps + 1):
        x = CHART_LEFT + (CHART_RIGHT - CHART_LEFT) * i / steps
        angle = 2 * math.pi * (x - CHART_LEFT) / (period * PERIOD_SCALE) + phase
        points.append((x, ZERO_LINE - AMPLITUDE * math.sin(angle)))
    return "M" + " L".join(f"{x:.1f},{y:.1f}" for x, y in points)


def svg():
    width = PAGE_RIGHT - PAGE_LEFT
    height = PAGE_BOTTOM - PAGE_TOP
    parts = [
        '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">',
        "  <title>Orvina</title>",
        # The shadow lifts the page off the desk.
        f'  <rect x="{PAGE_LEFT + 8}" y="{PAGE_TOP + 8}" width="{width}" height="{height}" rx="10" '
        'fill="#808080" opacity="0.6"/>',
        f'  <rect x="{PAGE_LEFT}" y="{PAGE_TOP}" width="{width}" height="{height}" rx="10" fill="#ffffff" '
        'stroke="#000000" stroke-width="6"/>',
        f'  <path d="M{PAGE_LEFT + 3},{HEADER_BOTTOM} V{PAGE_TOP + 13} a10,10 0 0 1 10,-10 '
        f'H{PAGE_RIGHT - 13} a10,10 0 0 1 10,10 V{HEADER_BOTTOM} Z" fill="#800000"/>',
        f'  <path d="M{PAGE_LEFT},{HEADER_BOTTOM} H{PAGE_RIGHT}" stroke="#000000" stroke-width="6"/>',
    ]
    for centre in RING_CENTRES:
        parts.append(f'  <rect x="{centre - 9}" y="12" width="18" height="46" rx="9" fill="#c0c0c0" '
                     'stroke="#808080" stroke-width="5"/>')
    for x in range(CHART_LEFT + 20, CHART_RIGHT, 40):
        parts.append(f'  <path d="M{x},{HEADER_BOTTOM + 14} V{PAGE_BOTTOM - 12}" stroke="#c0c0c0" '
                     'stroke-width="5"/>')
    parts.append(f'  <path d="M{CHART_LEFT},{ZERO_LINE} H{CHART_RIGHT}" stroke="#808080" stroke-width="6"/>')
    for colour, period, phase in CURVES:
        parts.append(f'  <path d="{curve_path(period, phase)}" fill="none" stroke="{colour}" '
                     'stroke-width="11" stroke-linecap="round" stroke-linejoin="round"/>')
    parts.append("</svg>")
    return "\n".join(parts) + "\n"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    scalable = os.path.join(here, ICON + ".svg")
    with open(scalable, "w") as out:
        out.write(svg())
    for size in SIZES:
        folder = os.path.join(here, "hicolor", f"{size}x{size}")
        os.makedirs(folder, exist_ok=True)
        subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), "-o",
                        os.path.join(folder, ICON + ".png"), scalable], check=True)


if __name__ == "__main__":
    main()
