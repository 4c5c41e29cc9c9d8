#!/usr/bin/env python3
"""Draws the program's icon: a wireframe triangle mesh on a dark blue tile, as one .ico file
with a 32 x 32 and a 16 x 16 image of 16 colours.

usage: make_icon.py OUTPUT.ico
"""
import struct, sys

# The 16-colour palette of the system (blue, green, red, reserved).
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
TILE, EDGE, NODE, RIM = 4, 14, 11, 12   # navy, cyan, yellow, blue


def picture(size):
    """Rows of palette indices, top row first."""
    px = [[TILE] * size for _ in range(size)]
    for i in range(size):
        px[0][i] = px[size - 1][i] = px[i][0] = px[i][size - 1] = RIM
    s = size / 32.0
    nodes = [(16, 4), (5, 26), (27, 26), (10.5, 15), (21.5, 15), (16, 26)]
    edges = [(0, 3), (3, 1), (1, 5), (5, 2), (2, 4), (4, 0), (3, 4), (3, 5), (4, 5)]

    def line(a, b):
        (x0, y0), (x1, y1) = nodes[a], nodes[b]
        steps = int(max(abs(x1 - x0), abs(y1 - y0)) * s * 2) + 1
        for k in range(steps + 1):
            t = k / steps
            x, y = int(round((x0 + (x1 - x0) * t) * s)), int(round((y0 + (y1 - y0) * t) * s))
            if 0 < x < size - 1 and 0 < y < size - 1:
                px[y][x] = EDGE
    for a, b in edges:
        line(a, b)
    for x, y in nodes:
        cx, cy = int(round(x * s)), int(round(y * s))
        for dy in (-1, 0, 1) if size >= 32 else (0,):
            for dx in (-1, 0, 1) if size >= 32 else (0,):
                if 0 < cx + dx < size - 1 and 0 < cy + dy < size - 1:
                    px[cy + dy][cx + dx] = NODE
    return px


def image(size):
    """A device-independent bitmap as an icon holds it: header, palette, colour rows, mask rows."""
    px = picture(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in PALETTE)
    row_bytes = ((size * 4 + 31) // 32) * 4
    mask_bytes = ((size + 31) // 32) * 4
    colour = b""
    for row in reversed(px):          # bottom row first
        packed = bytes((row[i] << 4) | row[i + 1] for i in range(0, size, 2))
        colour += packed + b"\0" * (row_bytes - len(packed))
    mask = b"\0" * (mask_bytes * size)  # every pixel opaque
    return header + palette + colour + mask


def main():
    images = [image(32), image(16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(sys.argv[1], "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main()
