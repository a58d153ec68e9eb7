#!/usr/bin/env python3
"""Writes res/font: the overlay's 16 x 8 glyph sheet (codes 0 to 127, 32 x 48 cells).

Ink is opaque white so the overlay can tint it by colour modulation; a soft black shadow
(alpha below the measuring threshold of 248) keeps the text legible over bright games."""
import os

from asset_png import write_png
from pixfont import CELL_H, CELL_W, glyph_bitmap

SHADOW_OFFSET = 3
SHADOW_ALPHA = 150


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    width, height = CELL_W * 16, CELL_H * 8
    rgba = bytearray(width * height * 4)
    for code in range(128):
        bitmap = glyph_bitmap(code)
        if not bitmap:
            continue
        ox, oy = (code % 16) * CELL_W, (code // 16) * CELL_H
        for y in range(CELL_H):
            for x in range(CELL_W):
                i = ((oy + y) * width + ox + x) * 4
                if bitmap[y][x]:
                    rgba[i:i + 4] = b"\xff\xff\xff\xff"
                    continue
                sx, sy = x - SHADOW_OFFSET, y - SHADOW_OFFSET
                if 0 <= sx and 0 <= sy and bitmap[sy][sx]:
                    rgba[i:i + 4] = bytes((0, 0, 0, SHADOW_ALPHA))
    write_png(os.path.join(root, "res", "font"), width, height, rgba)


if __name__ == "__main__":
    main()
