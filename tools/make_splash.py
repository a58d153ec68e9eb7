#!/usr/bin/env python3
"""Writes res/splash: the title card shown over the game's first seconds.

It is stretched over the picture's rectangle, so it has the 256 x 224 shape (drawn at four
times that size for sharp text). Everything but the card and a light vignette is
transparent, so the game's first frame shows around it. The title is the game's, from
res/data (see game_title.py): run this again after changing it."""
from asset_png import clamp, over, rounded_box_distance, smoothstep, to_bytes, write_png
from game_title import fit, ink_width, read_title
from title_font import TOP, as_drawn, text_mask
from title_tool import Steps, parse_args, say_title

W, H = 1024, 896
CARD = (96, 300, 928, 620)
RADIUS = 30
TITLE_ROOM = CARD[2] - CARD[0] - 80   # the card's width less a margin on either side
HINT = "Esc or right click: menu"


def pixel(x, y):
    px, py = x + 0.5, y + 0.5
    dx, dy = (px - W / 2) / (W / 2), (py - H / 2) / (H / 2)
    c = (0.0, 0.0, 0.03, 0.28 * smoothstep(0.35, 1.4, dx * dx + dy * dy))
    d = rounded_box_distance(px, py, *CARD, RADIUS)
    shadow = 0.5 * (1 - smoothstep(-8, 40, rounded_box_distance(px, py - 10, *CARD, RADIUS)))
    c = over(c, (0.0, 0.0, 0.0, shadow))
    if d > 1:
        return c
    t = clamp((py - CARD[1]) / (CARD[3] - CARD[1]))
    body = (0.10 - 0.05 * t, 0.13 - 0.06 * t, 0.20 - 0.09 * t)
    c = over(c, body + (0.78 * clamp(0.5 - d),))
    edge = 1 - smoothstep(0.0, 2.2, abs(d + 1.5))
    c = over(c, (0.55, 0.70, 0.90, 0.45 * edge))
    return c


def stamp(rgba, text, scale, cy, colour):
    """text centred on the row cy, as the font's cell would be; marks over capitals reach above."""
    w, h, mask = text_mask(text, scale)
    top = cy - (h - TOP * scale) // 2 - TOP * scale
    ink = [x for row in mask for x, v in enumerate(row) if v]
    if not ink:   # a title of blanks
        return
    left, right = min(ink), max(ink)
    x0 = (W - (right - left + 1)) // 2 - left
    for ty in range(h):
        for tx in range(w):
            if not mask[ty][tx]:
                continue
            for ox, oy, col in ((2 * scale, 2 * scale, (0.0, 0.0, 0.0, 0.55)), (0, 0, colour)):
                px, py = x0 + tx + ox, top + ty + oy
                if 0 <= px < W and 0 <= py < H:
                    i = (py * W + px) * 4
                    rgba[i:i + 4] = to_bytes(over(tuple(v / 255 for v in rgba[i:i + 4]), col))


def title_and_scale(title):
    """The title at twice the font's size where that fits the card, otherwise at its own size,
    cut to fit."""
    if ink_width(title, 2) <= TITLE_ROOM:
        return as_drawn(title), 2
    return fit(title, TITLE_ROOM), 1


def main():
    args = parse_args(__doc__, "splash")
    whole = read_title(args.data)
    title, scale = title_and_scale(whole)
    say_title(whole, title, args, "at twice the font's size" if scale == 2 else "at the font's size")
    if args.dry_run:
        return
    steps = Steps()
    steps.begin(f"drawing the card, {W} x {H}")
    rgba = bytearray()
    for y in range(H):
        for x in range(W):
            rgba += to_bytes(pixel(x, y))
        steps.progress(y + 1, H)
    steps.begin("drawing the title and the hint")
    stamp(rgba, title, scale, 430, (1.0, 0.93, 0.55, 1.0))
    for x in range(CARD[0] + 120, CARD[2] - 120):
        span = (x - CARD[0] - 120) / (CARD[2] - CARD[0] - 240)
        a = 0.8 * clamp(1.6 * (1 - abs(2 * span - 1)))
        for y in (500, 501, 502):
            i = (y * W + x) * 4
            rgba[i:i + 4] = to_bytes(over(tuple(v / 255 for v in rgba[i:i + 4]), (0.30, 0.66, 1.0, a)))
    stamp(rgba, HINT, 1, 556, (0.75, 0.82, 0.92, 0.9))
    steps.begin(f"writing {args.out}")
    write_png(args.out, W, H, rgba)
    steps.wrote(args.out, W, H)


if __name__ == "__main__":
    main()
