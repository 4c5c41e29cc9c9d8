#!/usr/bin/env python3
"""Draws the demo cube's texture: a 64 x 64 uncompressed DDS (A8R8G8B8 with its mip levels).

A hull panel of four plates with rivets, a red mark in the top left one and an arrow pointing up
so that a texture shown upside down or mirrored is seen at once.
Usage: make_texture.py OUT.dds
"""
import struct
import sys

SIDE = 64


def texel(x, y):
    r, g, b = 150, 160, 178                        # the panel
    if x % 32 in (0, 31) or y % 32 in (0, 31):     # seams between four plates
        r, g, b = 70, 76, 90
    elif (x % 32 in (4, 27)) and (y % 32 in (4, 27)):
        r, g, b = 210, 214, 222                    # rivets
    if 6 <= x < 18 and 6 <= y < 18:                # the red mark, top left
        r, g, b = 200, 40, 36
    # An arrow up the middle of the top right plate.
    if 38 <= y < 58 and 46 <= x < 50:
        r, g, b = 245, 200, 40
    if 36 <= y < 46 and abs(x - 47.5) <= (y - 35):
        r, g, b = 245, 200, 40
    return r, g, b


def levels():
    base = [[texel(x, y) for x in range(SIDE)] for y in range(SIDE)]
    out = [base]
    while len(out[-1]) > 1:
        prev = out[-1]
        n = len(prev) // 2
        out.append([[tuple(sum(prev[2 * y + j][2 * x + i][c] for i in (0, 1) for j in (0, 1)) // 4 for c in range(3))
                     for x in range(n)] for y in range(n)])
    return out


def main(path):
    chain = levels()
    header = struct.pack('<4sIIIIIII44x', b'DDS ', 124, 0x1 | 0x2 | 0x4 | 0x1000 | 0x20000 | 0x8, SIDE, SIDE,
                         SIDE * 4, 0, len(chain))
    pixel_format = struct.pack('<IIIIIIII', 32, 0x41, 0, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
    caps = struct.pack('<IIII4x', 0x1000 | 0x8 | 0x400000, 0, 0, 0)
    data = bytearray()
    for level in chain:
        for row in level:
            for r, g, b in row:
                data += bytes((b, g, r, 255))
    with open(path, 'wb') as f:
        f.write(header + pixel_format + caps + data)


if __name__ == '__main__':
    main(sys.argv[1])
