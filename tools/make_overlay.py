#!/usr/bin/env python3
"""Writes res/overlay: the menu's 1920 x 1080 backdrop.

The whole screen is dimmed a little so the paused game stays visible; a dark translucent
panel with a soft shadow, a thin border and an accent line sits behind the menu items
(x 425 to 1495, y 250 onwards on both pages, the save slots down to y 1030). The header band
above the accent line carries the game's title, from res/data (see game_title.py; run this
again after changing it), and a hint."""
import math

from asset_png import clamp, over, rounded_box_distance, smoothstep, to_bytes, write_png
from game_title import fit, ink_width, read_title
from title_font import TOP, text_mask
from title_tool import Steps, parse_args, say_title

W, H = 1920, 1080
PANEL = (330, 150, 1590, 1058)      # left, top, right, bottom
RADIUS = 26
ACCENT_Y = 226
TITLE_X = 421
HINT = "Esc  back to the game"
HINT_RIGHT = 1495
TITLE_ROOM = HINT_RIGHT - ink_width(HINT) - 48 - TITLE_X   # the title stays clear of the hint


def background(x, y):
    # A light dim with a gentle vignette towards the corners.
    dx, dy = (x - W / 2) / (W / 2), (y - H / 2) / (H / 2)
    v = clamp((dx * dx + dy * dy) / 2)
    return (0.0, 0.0, 0.02, 0.30 + 0.22 * v)


def pixel(x, y):
    px, py = x + 0.5, y + 0.5
    c = background(x, y)
    d = rounded_box_distance(px, py, *PANEL, RADIUS)
    if d > 60:
        return c
    # Soft shadow below and around the panel.
    sd = rounded_box_distance(px, py - 10, *PANEL, RADIUS)
    shadow = 0.45 * (1 - smoothstep(-10, 48, sd))
    c = over(c, (0.0, 0.0, 0.0, shadow))
    if d > 1:
        return c
    # Panel body: blue-grey, lighter at the top, slightly translucent.
    t = clamp((py - PANEL[1]) / (PANEL[3] - PANEL[1]))
    top, bottom = (0.105, 0.13, 0.19), (0.045, 0.055, 0.085)
    body = tuple(top[i] + (bottom[i] - top[i]) * t for i in range(3))
    coverage = clamp(0.5 - d)
    alpha = 0.70 - 0.06 * t
    if py < ACCENT_Y:
        body = tuple(v + 0.025 for v in body)  # the header band
    c = over(c, body + (alpha * coverage,))
    # Thin light border along the edge, stronger at the top.
    edge = 1 - smoothstep(0.0, 2.2, abs(d + 1.5))
    if edge > 0:
        c = over(c, (0.55, 0.66, 0.85, edge * (0.42 - 0.22 * t)))
    # Accent line under the header, fading towards its ends.
    if ACCENT_Y - 2 <= py <= ACCENT_Y + 2:
        span = (px - PANEL[0]) / (PANEL[2] - PANEL[0])
        fade = clamp(math.sin(math.pi * span) * 1.6)
        strength = 1 - smoothstep(0.4, 1.6, abs(py - ACCENT_Y))
        c = over(c, (0.30, 0.66, 1.0, 0.85 * fade * strength))
    return c


def stamp_text(rgba, text, x, y, colour, right_aligned=False):
    """text with the font's cell at (x, y); marks over capitals reach above it."""
    w, h, mask = text_mask(text)
    y -= TOP
    if right_aligned:
        # text_mask pads one cell at the end; find the real ink end.
        ink_end = max((cx for row in mask for cx, v in enumerate(row) if v), default=0)
        x -= ink_end
    for ty in range(h):
        for tx in range(w):
            if not mask[ty][tx]:
                continue
            for (ox, oy, col) in ((3, 3, (0.0, 0.0, 0.0, 0.5)), (0, 0, colour)):
                px, py = x + tx + ox, y + ty + oy
                if 0 <= px < W and 0 <= py < H:
                    i = (py * W + px) * 4
                    dst = tuple(v / 255 for v in rgba[i:i + 4])
                    rgba[i:i + 4] = to_bytes(over(dst, col))


def main():
    args = parse_args(__doc__, "overlay")
    whole = read_title(args.data)
    title = fit(whole, TITLE_ROOM)
    say_title(whole, title, args, f"in the header's {TITLE_ROOM} pixels")
    if args.dry_run:
        return
    steps = Steps()
    steps.begin(f"drawing the backdrop, {W} x {H}")
    rgba = bytearray(W * H * 4)
    for y in range(H):
        row = bytearray()
        for x in range(W):
            row += to_bytes(pixel(x, y))
        rgba[y * W * 4:(y + 1) * W * 4] = row
        steps.progress(y + 1, H)
    steps.begin("drawing the title and the hint")
    stamp_text(rgba, title, TITLE_X, 168, (1.0, 1.0, 1.0, 0.92))
    stamp_text(rgba, HINT, HINT_RIGHT, 168, (0.62, 0.70, 0.82, 0.70), right_aligned=True)
    steps.begin(f"writing {args.out}")
    write_png(args.out, W, H, rgba)
    steps.wrote(args.out, W, H)


if __name__ == "__main__":
    main()
