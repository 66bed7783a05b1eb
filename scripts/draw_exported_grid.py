#!/usr/bin/env python3
"""Draws an exported .vtu file as a 3-D viewer shows it: the grid's cells seen obliquely from
above, coloured by one cell array, with a colour bar (Python standard library only).

Usage: draw_exported_grid.py <file.vtu> <cell array> <picture.png>
"""
import base64
import math
import struct
import sys
import xml.etree.ElementTree as ElementTree
import zlib

WIDTH, HEIGHT = 900, 560
BACKGROUND = (255, 255, 255)
EDGE = (40, 40, 40)
# The view: turned about the vertical axis, then tilted towards the viewer.
TURN, TILT = math.radians(35.0), math.radians(55.0)
# Depths are small beside the lateral extent of a reservoir; they are stretched to show layers.
VERTICAL_EXAGGERATION = 8.0
# Corner order of a VTK hexahedron for its six faces.
FACES = ((0, 1, 2, 3), (4, 5, 6, 7), (0, 1, 5, 4), (1, 2, 6, 5), (2, 3, 7, 6), (3, 0, 4, 7))


def data_array(piece, name):
    element = next(e for e in piece.iter("DataArray") if e.get("Name") == name)
    text = element.text.strip()
    data = base64.b64decode(text[12:])
    code = {"Float32": "f", "Float64": "d", "Int32": "i", "Int64": "q", "UInt8": "B"}[element.get("type")]
    return struct.unpack("<%d%s" % (len(data) // struct.calcsize(code), code), data)


def jet(t):
    t = min(max(t, 0.0), 1.0)
    return tuple(int(255 * min(max(1.5 - abs(4.0 * t - c), 0.0), 1.0)) for c in (3.0, 2.0, 1.0))


def fill_polygon(image, polygon, colour):
    """Scanline fill of a convex polygon given in pixel coordinates."""
    ys = [p[1] for p in polygon]
    for y in range(max(int(min(ys)), 0), min(int(max(ys)) + 1, HEIGHT)):
        xs = []
        for (x0, y0), (x1, y1) in zip(polygon, polygon[1:] + polygon[:1]):
            if (y0 <= y + 0.5 < y1) or (y1 <= y + 0.5 < y0):
                xs.append(x0 + (y + 0.5 - y0) * (x1 - x0) / (y1 - y0))
        if len(xs) >= 2:
            for x in range(max(int(min(xs) + 0.5), 0), min(int(max(xs) + 0.5), WIDTH)):
                image[y][x] = colour


def draw_line(image, a, b, colour):
    steps = int(max(abs(b[0] - a[0]), abs(b[1] - a[1]))) + 1
    for s in range(steps + 1):
        x = int(a[0] + (b[0] - a[0]) * s / steps)
        y = int(a[1] + (b[1] - a[1]) * s / steps)
        if 0 <= x < WIDTH and 0 <= y < HEIGHT:
            image[y][x] = colour


def write_png(path, image):
    rows = b"".join(b"\x00" + bytes(c for pixel in row for c in pixel) for row in image)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 2, 0, 0, 0))
                  + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def main(vtu, array, picture):
    piece = ElementTree.parse(vtu).getroot().find("UnstructuredGrid").find("Piece")
    points = data_array(piece, "Points")
    connectivity = data_array(piece, "connectivity")
    values = data_array(piece, array)
    low, high = min(values), max(values)

    # (1) every point in view coordinates: x to the right, y up the screen, depth into it
    view = []
    for p in range(len(points) // 3):
        x, y, z = points[3 * p], points[3 * p + 1], points[3 * p + 2] * VERTICAL_EXAGGERATION
        u = x * math.cos(TURN) - y * math.sin(TURN)
        v = x * math.sin(TURN) + y * math.cos(TURN)
        view.append((u, z * math.sin(TILT) + v * math.cos(TILT), v * math.sin(TILT) - z * math.cos(TILT)))
    us, ws = [p[0] for p in view], [p[1] for p in view]
    scale = min((WIDTH - 160) / (max(us) - min(us)), (HEIGHT - 60) / (max(ws) - min(ws)))

    def pixel(p):
        return (80 + (view[p][0] - min(us)) * scale, HEIGHT - 30 - (view[p][1] - min(ws)) * scale)

    # (2) faces from the back to the front
    faces = []
    for cell in range(len(values)):
        corners = connectivity[8 * cell:8 * cell + 8]
        for face in FACES:
            ids = [corners[c] for c in face]
            faces.append((-sum(view[i][2] for i in ids) / 4.0, ids, cell))
    faces.sort()
    image = [[BACKGROUND] * WIDTH for _ in range(HEIGHT)]
    for _, ids, cell in faces:
        polygon = [pixel(i) for i in ids]
        fill_polygon(image, polygon, jet((values[cell] - low) / ((high - low) or 1.0)))
        for a, b in zip(polygon, polygon[1:] + polygon[:1]):
            draw_line(image, a, b, EDGE)

    # (3) colour bar, low values at the bottom
    for y in range(60, HEIGHT - 60):
        for x in range(WIDTH - 50, WIDTH - 25):
            image[y][x] = jet(1.0 - (y - 60) / (HEIGHT - 121))
    write_png(picture, image)


if __name__ == "__main__":
    main(*sys.argv[1:4])
