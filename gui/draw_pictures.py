#!/usr/bin/env python3
"""Draws Veldra's icons and splash picture (Python standard library only).

Run from this directory; writes Image/*.png and someResource/loading.png. The pictures are
banded pressure fronts around a well, in the colours of the layer maps.
"""
import math
import struct
import zlib

LEVELS = 12


def jet(t):
    """Blue-cyan-yellow-red colour for t in [0, 1], in LEVELS bands."""
    t = min(max(math.floor(t * LEVELS) / (LEVELS - 1), 0.0), 1.0)
    r = min(max(1.5 - abs(4.0 * t - 3.0), 0.0), 1.0)
    g = min(max(1.5 - abs(4.0 * t - 2.0), 0.0), 1.0)
    b = min(max(1.5 - abs(4.0 * t - 1.0), 0.0), 1.0)
    return int(255 * r), int(255 * g), int(255 * b), 255


def write_png(path, width, height, pixel):
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        for x in range(width):
            rows.extend(pixel(x, y))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                  + chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


CLEAR = (0, 0, 0, 0)


def fronts(width, height, cx, cy, reach, stretch=1.0):
    """Elliptical fronts spreading from a well at (cx, cy)."""
    def pixel(x, y):
        d = math.hypot((x - cx) / stretch, y - cy) / reach
        return jet(d) if d <= 1.0 else jet(1.0)
    return pixel


def disc(size, inner):
    """A round icon: fronts inside a circle, transparent outside."""
    c = (size - 1) / 2.0

    def pixel(x, y):
        d = math.hypot(x - c, y - c) / c
        if d > 1.0:
            return CLEAR
        return inner(x, y, d)
    return pixel


def logo(x, y, d):
    return jet(d) if d < 0.9 else (20, 40, 110, 255)


def run_icon(x, y, d):
    c = 31.5
    # A right-pointing triangle on a green disc.
    if x > 22 and abs(y - c) < (46 - x) * 0.6 and x < 46:
        return (255, 255, 255, 255)
    return (30, 150, 60, 255) if d < 0.92 else (15, 90, 35, 255)


def folder(x, y):
    if 10 <= x < 30 and 12 <= y < 20:
        return (200, 150, 30, 255)
    if 8 <= x < 56 and 18 <= y < 52:
        return (235, 185, 50, 255) if y > 24 else (210, 160, 40, 255)
    return CLEAR


def page(x, y):
    if 14 <= x < 50 and 6 <= y < 58:
        if 20 <= x < 44 and y % 8 == 2 and 14 <= y < 52:
            return (70, 90, 140, 255)
        return (250, 250, 250, 255) if 15 <= x < 49 and 7 <= y < 57 else (90, 90, 90, 255)
    return CLEAR


def splash(width, height):
    rings = fronts(width, height, width * 0.3, height * 0.55, width * 0.7, 1.6)

    def pixel(x, y):
        if height * 0.78 <= y < height * 0.92:
            return (20, 40, 110, 255)
        return rings(x, y)
    return pixel


if __name__ == "__main__":
    write_png("Image/logo.png", 96, 96, disc(96, logo))
    write_png("Image/4.png", 64, 64, fronts(64, 64, 20, 40, 60))
    write_png("Image/1.png", 1067, 493, fronts(1067, 493, 330, 260, 520, 1.8))
    write_png("Image/open-file.png", 64, 64, folder)
    write_png("Image/viewproject.png", 64, 64, page)
    write_png("Image/Run 1.png", 64, 64, disc(64, run_icon))
    write_png("someResource/loading.png", 480, 270, splash(480, 270))
