#!/usr/bin/env python3
"""Writes res/game: the demo game image for our reference emulation component.

Layout (all integers little-endian):
  0    8 bytes   magic "OXGAME01"
  8    32 bytes  title, NUL padded
  40   u16       tile count (2..64); tiles 0 and 1 are the two shapes of the player sprite
  42   u16       map width in tiles (1..64); the ground wraps around horizontally
  44   u16       map height in tiles (1..14); the map sits on the bottom of the screen
  46   u16       reserved, 0
  48   16 x RGB  palette; colour 0 of a tile is transparent
  96   tiles     tile count x 16 x 16 bytes, one palette index (0..15) per pixel
  ...  map       width x height bytes, 0 = empty, n = tile n - 1
  end  u32       FNV-1a of every byte before it
"""
import math
import os
import struct

MAGIC = b"OXGAME01"
TILE = 16

PALETTE = [
    (0, 0, 0),          # 0 transparent
    (58, 104, 196),     # 1 sky, top
    (247, 196, 150),    # 2 sky, horizon
    (255, 232, 128),    # 3 sun
    (250, 250, 255),    # 4 clouds
    (96, 150, 132),     # 5 far hills
    (118, 196, 84),     # 6 grass, light
    (64, 142, 64),      # 7 grass, dark
    (156, 104, 62),     # 8 soil
    (112, 72, 44),      # 9 soil, dark
    (196, 92, 62),      # 10 brick
    (232, 212, 182),    # 11 mortar
    (242, 124, 64),     # 12 sprite body
    (56, 30, 44),       # 13 outline, pupils
    (255, 255, 255),    # 14 eye white
    (250, 122, 172),    # 15 petals
]


def tile_blob():
    t = [[0] * TILE for _ in range(TILE)]
    for y in range(TILE):
        for x in range(TILE):
            dx, dy = x - 7.5, y - 8.5
            d = dx * dx + dy * dy * 1.15
            if d <= 49:
                t[y][x] = 12
            elif d <= 64:
                t[y][x] = 13
    for ex in (5, 10):
        for y in (6, 7, 8):
            t[y][ex] = 14
            t[y][ex + 1 if ex == 5 else ex - 1] = 14
        t[8][ex] = 13
    t[11][6] = t[11][9] = 13
    for x in range(7, 9):
        t[12][x] = 13
    return t


def inside(poly, x, y):
    hit = False
    for i in range(len(poly)):
        (x1, y1), (x2, y2) = poly[i], poly[i - 1]
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            hit = not hit
    return hit


def tile_star():
    points = []
    for i in range(10):
        r = 8.2 if i % 2 == 0 else 3.9
        a = math.pi * i / 5 - math.pi / 2
        points.append((7.5 + r * math.cos(a), 8.6 + r * math.sin(a)))
    t = [[0] * TILE for _ in range(TILE)]
    for y in range(TILE):
        for x in range(TILE):
            if inside(points, x + 0.5, y + 0.5):
                t[y][x] = 12
    # Outline: transparent pixels next to the body.
    for y in range(TILE):
        for x in range(TILE):
            if t[y][x] == 0 and any(0 <= x + dx < TILE and 0 <= y + dy < TILE and t[y + dy][x + dx] == 12
                                    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                t[y][x] = 13
    t[8][6] = t[8][9] = 13
    return t


def tile_grass():
    t = [[8] * TILE for _ in range(TILE)]
    for y in range(TILE):
        for x in range(TILE):
            top = 9 + (3 if (x * 7) % 5 == 0 else 0) - (x % 3)
            if y < top:
                t[y][x] = 6 if (x + y) % 7 else 7
            elif y == top:
                t[y][x] = 7
            elif (x * 5 + y * 3) % 11 == 0:
                t[y][x] = 9
    for x in range(TILE):
        if x % 4 == 1:
            t[0][x] = 7
    return t


def tile_soil():
    t = [[8] * TILE for _ in range(TILE)]
    for y in range(TILE):
        for x in range(TILE):
            if (x * 5 + y * 3) % 11 == 0 or (x * 3 + y * 7) % 17 == 0:
                t[y][x] = 9
    return t


def tile_brick():
    t = [[10] * TILE for _ in range(TILE)]
    for y in range(TILE):
        for x in range(TILE):
            row = y // 4
            offset = 0 if row % 2 == 0 else 4
            if y % 4 == 3 or (x + offset) % 8 == 7:
                t[y][x] = 11
    return t


def tile_flower():
    t = [[0] * TILE for _ in range(TILE)]
    for y in range(8, TILE):
        t[y][7] = 7
    t[12][8] = t[11][9] = 7
    for y in range(3, 8):
        for x in range(4, 11):
            dx, dy = x - 7, y - 5
            if dx * dx + dy * dy <= 5:
                t[y][x] = 15
    t[5][7] = 3
    return t


def build_map(width, height):
    m = [[0] * width for _ in range(height)]
    for x in range(9, 12):
        m[0][x] = 5            # a floating brick ledge
    for x in (1, 4, 5, 13):
        m[3][x] = 6            # flowers standing on the grass
    for x in range(width):
        m[4][x] = 3
        m[5][x] = 4
        m[6][x] = 4
    return m


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    tiles = [tile_blob(), tile_star(), tile_grass(), tile_soil(), tile_brick(), tile_flower()]
    width, height = 16, 7
    data = bytearray(MAGIC)
    data += b"Sunny Meadow".ljust(32, b"\0")
    data += struct.pack("<HHHH", len(tiles), width, height, 0)
    for r, g, b in PALETTE:
        data += bytes((r, g, b))
    for t in tiles:
        for row in t:
            data += bytes(row)
    for row in build_map(width, height):
        data += bytes(row)
    h = 0x811C9DC5
    for byte in data:
        h = ((h ^ byte) * 0x01000193) & 0xFFFFFFFF
    data += struct.pack("<I", h)
    with open(os.path.join(root, "res", "game"), "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
