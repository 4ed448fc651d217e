#!/usr/bin/env python3
"""Draws the program's pictures into resources/:
Sitzblick.ico  an open book with a pen, 16 colours, 48, 32 and 16 pixels;
logo.jpg       80 x 76: a sketched yellow square crossed by strokes on dark teal
               (drawn here as a PPM, turned into JPEG by ImageMagick's convert).
Run from anywhere: python3 tools/draw-art.py"""
import os
import random
import struct
import subprocess

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")

# The 16 standard Windows colours.
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
           (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
           (255, 0, 255), (0, 255, 255), (255, 255, 255)]
CLEAR, BLACK, DARKBLUE, GREY, WHITE, YELLOW, RED, DARKRED = None, 0, 4, 8, 15, 11, 9, 1


def book_with_pen(n):
    """An n x n picture (rows of palette indices or None for transparent)."""
    px = [[CLEAR] * n for _ in range(n)]
    s = n / 48.0

    def put(x, y, c):
        x, y = int(round(x)), int(round(y))
        if 0 <= x < n and 0 <= y < n:
            px[y][x] = c

    def line(x0, y0, x1, y1, c, width=1.0):
        steps = int(max(abs(x1 - x0), abs(y1 - y0)) * 2) + 1
        for i in range(steps + 1):
            t = i / steps
            x, y = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
            w = max(0, int(width / 2))
            for dx in range(-w, w + 1):
                for dy in range(-w, w + 1):
                    put(x + dx, y + dy, c)

    # Two pages, each a slanted quadrilateral, bound in the middle.
    top_l, top_m, bottom_m, bottom_l = 14 * s, 18 * s, 40 * s, 36 * s
    for x in range(int(3 * s), int(24 * s) + 1):
        t = (x - 3 * s) / (21 * s)
        y0 = top_l + (top_m - top_l) * t
        y1 = bottom_l + (bottom_m - bottom_l) * t
        for y in range(int(y0), int(y1) + 1):
            put(x, y, WHITE)
            put(n - 1 - x, y, WHITE)
    # Outline, spine and the lines of text.
    line(3 * s, top_l, 24 * s, top_m, BLACK)
    line(n - 1 - 3 * s, top_l, n - 1 - 24 * s, top_m, BLACK)
    line(3 * s, bottom_l, 24 * s, bottom_m, BLACK)
    line(n - 1 - 3 * s, bottom_l, n - 1 - 24 * s, bottom_m, BLACK)
    line(3 * s, top_l, 3 * s, bottom_l, BLACK)
    line(n - 1 - 3 * s, top_l, n - 1 - 3 * s, bottom_l, BLACK)
    line(24 * s, top_m, 24 * s, bottom_m, DARKBLUE, 2 * s)
    rows = 5 if n >= 32 else 3
    for i in range(rows):
        yy = (top_l + 5 * s) + i * (18 * s / rows)
        line(6 * s, yy, 21 * s, yy + 3 * s, GREY)
        line(n - 1 - 6 * s, yy, n - 1 - 21 * s, yy + 3 * s, GREY)
    # The pen, lying across the right page: red body, yellow band, black tip.
    line(44 * s, 4 * s, 30 * s, 28 * s, RED, 3 * s)
    line(41 * s, 9 * s, 39.5 * s, 11.5 * s, YELLOW, 3 * s)
    line(30 * s, 28 * s, 28 * s, 32 * s, BLACK, max(1, 1.5 * s))
    return px


def ico_entry(px):
    n = len(px)
    xor_stride = ((n * 4 + 31) // 32) * 4
    and_stride = ((n + 31) // 32) * 4
    xor, mask = bytearray(), bytearray()
    for row in reversed(px):  # bottom-up
        line = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x, c in enumerate(row):
            idx = 0 if c is None else c
            line[x // 2] |= idx << (4 if x % 2 == 0 else 0)
            if c is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += line
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    return header + palette + bytes(xor) + bytes(mask)


def write_icon(path):
    images = [ico_entry(book_with_pen(n)) for n in (48, 32, 16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in zip((48, 32, 16), images):
        out += struct.pack("<BBBBHHII", n, n, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


def write_logo(path):
    w, h = 80, 76
    teal, yellow, light = (12, 64, 66), (240, 208, 40), (120, 190, 180)
    img = [[teal] * w for _ in range(h)]
    rnd = random.Random(1102)  # fixed: the same picture every time

    def stroke(x0, y0, x1, y1, colour, jitter=0.8):
        steps = int(max(abs(x1 - x0), abs(y1 - y0)) * 2) + 1
        for i in range(steps + 1):
            t = i / steps
            x = x0 + (x1 - x0) * t + rnd.uniform(-jitter, jitter)
            y = y0 + (y1 - y0) * t + rnd.uniform(-jitter, jitter)
            for dx, dy in ((0, 0), (1, 0), (0, 1)):
                xi, yi = int(x) + dx, int(y) + dy
                if 0 <= xi < w and 0 <= yi < h:
                    img[yi][xi] = colour

    # The square, drawn twice with a shaky hand.
    for _ in range(2):
        a, b, c, d = 18 + rnd.uniform(-1, 1), 15 + rnd.uniform(-1, 1), 62 + rnd.uniform(-1, 1), 60 + rnd.uniform(-1, 1)
        stroke(a, b, c, b, yellow)
        stroke(c, b, c, d, yellow)
        stroke(c, d, a, d, yellow)
        stroke(a, d, a, b, yellow)
    # Strokes crossing it.
    stroke(6, 70, 74, 6, light, 1.2)
    stroke(10, 28, 72, 50, yellow, 1.0)
    stroke(30, 4, 44, 72, light, 1.0)
    ppm = path + ".ppm"
    with open(ppm, "wb") as f:
        f.write(b"P6 %d %d 255\n" % (w, h) + bytes(v for row in img for px in row for v in px))
    subprocess.run(["convert", ppm, "-quality", "90", "-strip", path], check=True)
    os.remove(ppm)


if __name__ == "__main__":
    write_icon(os.path.join(HERE, "Sitzblick.ico"))
    write_logo(os.path.join(HERE, "logo.jpg"))
