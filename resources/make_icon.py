#!/usr/bin/env python3
"""Draws the program icon, resources/tavlon.ico: a calendar page with two
binder rings and a blue six-pointed star on it, set on a square with the
title screen's blue gradient. 16, 20, 24, 32, 40, 48, 64 and 256 pixels
(the sizes Windows picks from at 100 % to 250 % scaling and for large
tiles), 32-bit colour; the 256-pixel image is stored as PNG, as Windows
expects of that size.

Run it again after changing the drawing: python3 resources/make_icon.py
"""
import math
import os
import struct
import zlib

SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
SUPERSAMPLE = 4  # samples per pixel along each axis


def inside_rounded_rect(x, y, left, top, right, bottom, radius):
    if not (left <= x <= right and top <= y <= bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def inside_triangle(x, y, a, b, c):
    def side(p, q):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])
    d1, d2, d3 = side(a, b), side(b, c), side(c, a)
    negative = d1 < 0 or d2 < 0 or d3 < 0
    positive = d1 > 0 or d2 > 0 or d3 > 0
    return not (negative and positive)


def star_triangles(cx, cy, r):
    up = [(cx + r * math.sin(math.radians(a)), cy - r * math.cos(math.radians(a)))
          for a in (0, 120, 240)]
    down = [(cx + r * math.sin(math.radians(a)), cy - r * math.cos(math.radians(a)))
            for a in (60, 180, 300)]
    return up, down


def sample(x, y):
    """Colour (r, g, b, a) at a point of the unit square (0..1, 0..1)."""
    # Background tile: blue from full at the top to dark at the bottom.
    if not inside_rounded_rect(x, y, 0.0, 0.0, 1.0, 1.0, 0.18):
        return (0, 0, 0, 0)
    blue = int(255 - 175 * y)
    colour = (0, 0, blue, 255)
    # The page, with a darker heading band.
    if inside_rounded_rect(x, y, 0.16, 0.2, 0.84, 0.88, 0.06):
        colour = (255, 255, 255, 255)
        if y < 0.36:
            colour = (200, 30, 40, 255)
    # Two binder rings across the top edge of the page.
    for rx in (0.33, 0.67):
        if inside_rounded_rect(x, y, rx - 0.035, 0.12, rx + 0.035, 0.3, 0.035):
            colour = (230, 230, 235, 255)
    # A six-pointed star on the page: two outlined triangles.
    up, down = star_triangles(0.5, 0.63, 0.2)
    inner_up, inner_down = star_triangles(0.5, 0.63, 0.2 - 0.075)
    on_up = inside_triangle(x, y, *up) and not inside_triangle(x, y, *inner_up)
    on_down = inside_triangle(x, y, *down) and not inside_triangle(x, y, *inner_down)
    if on_up or on_down:
        colour = (0, 40, 160, 255)
    return colour


def render(size):
    """Rows of (r, g, b, a), top row first, averaged over the samples."""
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(n):
                for sx in range(n):
                    r, g, b, a = sample((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            alpha = acc[3] / (n * n)
            if acc[3]:
                row.append((round(acc[0] / acc[3]), round(acc[1] / acc[3]),
                            round(acc[2] / acc[3]), round(alpha)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def dib(size, rows):
    """A BITMAPINFOHEADER image as an icon holds it: colour rows bottom up,
    then the 1-bit AND mask (transparent where alpha is 0)."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask = bytearray()
    stride = ((size + 31) // 32) * 4
    for row in reversed(rows):
        line = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + pixels + mask


def png(size, rows):
    """The image as a PNG file: 8-bit RGBA, no filtering."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main():
    images = [(png if size >= 256 else dib)(size, render(size)) for size in SIZES]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, image in zip(SIZES, images):
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    for image in images:
        out += image
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "tavlon.ico")
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
