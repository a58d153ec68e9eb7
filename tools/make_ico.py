#!/usr/bin/env python3
"""Writes the window icon of tools/make_icon.py as a Windows .ico file (one 48 x 48 image,
32 bits with alpha), for the executable's icon resource: make_ico.py OUTPUT.ico"""
import struct
import sys

from make_icon import SIZE, pixel


def ico_bytes():
    # The image is a bitmap of twice the height: the colour rows bottom-up, B, G, R, A, then
    # a 1-bit mask (set where transparent), each mask row padded to 4 bytes.
    colour = bytearray()
    mask = bytearray()
    mask_row_bytes = (SIZE + 31) // 32 * 4
    for y in reversed(range(SIZE)):
        bits = bytearray(mask_row_bytes)
        for x in range(SIZE):
            r, g, b, a = pixel(x, y)
            colour += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    image = header + colour + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_ico.py OUTPUT.ico")
    with open(sys.argv[1], "wb") as f:
        f.write(ico_bytes())


if __name__ == "__main__":
    main()
