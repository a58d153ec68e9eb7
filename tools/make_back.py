#!/usr/bin/env python3
"""Writes res/back: the calm backdrop around the picture in full screen, as a JPEG.

It is deliberately not a PNG: the background goes through the general picture decoder,
and shipping it in another format shows that path working. The pixels are computed here
and handed to ImageMagick's convert for the JPEG encoding."""
import math
import os
import subprocess
import tempfile

W, H = 1920, 1080
SPACING = 24
BAYER = ((0, 8, 2, 10), (12, 4, 14, 6), (3, 11, 1, 9), (15, 7, 13, 5))


def pixel(x, y):
    # Dark blue-grey, lighter towards the middle, with a faint diagonal dot lattice.
    dx, dy = (x - W / 2) / (W / 2), (y - H / 2) / (H / 2)
    r2 = dx * dx + dy * dy * 0.8
    light = 1.0 - min(r2, 1.6) / 1.6
    base = (10 + 16 * light, 13 + 19 * light, 20 + 28 * light)
    u = (x + y) % SPACING - SPACING / 2
    v = (x - y) % SPACING - SPACING / 2
    dot = max(0.0, 1.0 - math.sqrt(u * u + v * v) / 2.2)
    lift = 13 * dot * (0.5 + 0.5 * light)
    # Ordered dither hides the gradient's steps.
    dither = BAYER[y % 4][x % 4] / 16.0
    return bytes(int(min(255, c + lift + dither)) for c in base)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    data = bytearray(b"P6\n%d %d\n255\n" % (W, H))
    for y in range(H):
        for x in range(W):
            data += pixel(x, y)
    with tempfile.TemporaryDirectory() as tmp:
        ppm = os.path.join(tmp, "back.ppm")
        with open(ppm, "wb") as f:
            f.write(data)
        subprocess.run(["convert", ppm, "-quality", "92", "-sampling-factor", "4:4:4",
                        "-strip", "jpg:" + os.path.join(root, "res", "back")], check=True)


if __name__ == "__main__":
    main()
