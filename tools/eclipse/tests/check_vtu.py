#!/usr/bin/env python3
"""Runs quill and quill-export on a copy of an example deck, then reads the .vtu and .pvd files
as XML and checks their cells, cell volumes and values against quill's own result files.

Usage: check_vtu.py <quill> <quill-export> <example directory>
"""
import base64
import glob
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree


def data_array(piece, name):
    """The values of a binary DataArray: a base64 UInt64 byte count, then the base64 data."""
    element = next(e for e in piece.iter("DataArray") if e.get("Name") == name)
    text = element.text.strip()
    size = struct.unpack("<Q", base64.b64decode(text[:12]))[0]
    data = base64.b64decode(text[12:])
    assert len(data) == size, (name, len(data), size)
    code = {"Float32": "f", "Float64": "d", "Int32": "i", "Int64": "q", "UInt8": "B"}[element.get("type")]
    return list(struct.unpack("<%d%s" % (size // struct.calcsize(code), code), data))


def grid_values(path, header):
    tokens = open(path).read().split()
    start = tokens.index(header) + 1
    return [float(t) for t in tokens[start:] if t != "/"]


def tetrahedron_volume(a, b, c, d):
    u = [b[i] - a[i] for i in range(3)]
    v = [c[i] - a[i] for i in range(3)]
    w = [d[i] - a[i] for i in range(3)]
    return abs(u[0] * (v[1] * w[2] - v[2] * w[1]) - u[1] * (v[0] * w[2] - v[2] * w[0])
               + u[2] * (v[0] * w[1] - v[1] * w[0])) / 6.0


def hexahedron_volume(corners):
    # five tetrahedra of a hexahedron in VTK's corner order
    return sum(tetrahedron_volume(*(corners[i] for i in tet))
               for tet in ((0, 1, 3, 4), (1, 2, 3, 6), (1, 4, 5, 6), (3, 4, 6, 7), (1, 3, 4, 6)))


def check_close(actual, expected, what):
    assert len(actual) == len(expected), (what, len(actual), len(expected))
    for c, (a, e) in enumerate(zip(actual, expected)):
        # single precision in the files
        assert abs(a - e) <= 1e-6 * max(1.0, abs(e)), (what, c, a, e)


def main(quill, quill_export, example):
    root = os.path.basename(example.rstrip("/"))
    with tempfile.TemporaryDirectory() as run:
        for name in os.listdir(example):
            shutil.copy(os.path.join(example, name), run)
        subprocess.run([quill, root, run], check=True, stdout=subprocess.DEVNULL)
        subprocess.run([quill_export, root, run], check=True, stdout=subprocess.DEVNULL)

        deck = open(os.path.join(run, root + ".fip")).read().split("\n")
        nx, ny, nz = (int(v) for v in deck[deck.index("DIMENS") + 1].split())
        sizes = [float(deck[deck.index(k) + 1]) for k in ("DX", "DY", "DZ")]

        collection = ElementTree.parse(os.path.join(run, root + ".pvd")).getroot()
        data_sets = collection.find("Collection").findall("DataSet")
        maps = sorted(glob.glob(os.path.join(run, root + "_PRESSURE_*.grdecl")),
                      key=lambda p: int(p.rsplit("_", 1)[1].split(".")[0]))
        assert len(data_sets) == len(maps) > 0, (len(data_sets), len(maps))

        tau = grid_values(os.path.join(run, root + ".tau.grdecl"), "DTOF_sqrt(days)")
        arrival = grid_values(os.path.join(run, root + ".time.grdecl"), "Physical_Time(days)")
        for data_set, pressure_map in zip(data_sets, maps):
            number = pressure_map.rsplit("_", 1)[1].split(".")[0]
            assert data_set.get("file") == "%s_%s.vtu" % (root, number), data_set.get("file")
            piece = ElementTree.parse(os.path.join(run, data_set.get("file"))).getroot().find(
                "UnstructuredGrid").find("Piece")
            assert int(piece.get("NumberOfCells")) == nx * ny * nz
            check_close(data_array(piece, "PRESSURE"),
                        grid_values(pressure_map, "PRESSURE_" + number), "PRESSURE_" + number)

        # the geometry, once: every cell a hexahedron of DX x DY x DZ
        piece = ElementTree.parse(os.path.join(run, root + ".vtu")).getroot().find(
            "UnstructuredGrid").find("Piece")
        points = data_array(piece, "Points")
        connectivity = data_array(piece, "connectivity")
        assert set(data_array(piece, "types")) == {12}
        assert data_array(piece, "offsets")[-1] == len(connectivity) == 8 * nx * ny * nz
        volume = sizes[0] * sizes[1] * sizes[2]
        for cell in range(nx * ny * nz):
            corners = [points[3 * p:3 * p + 3] for p in connectivity[8 * cell:8 * cell + 8]]
            assert abs(hexahedron_volume(corners) - volume) < 1e-5 * volume, (cell, hexahedron_volume(corners))
        check_close(data_array(piece, "TAU"), tau, "TAU")
        check_close(data_array(piece, "ARRIVAL"), arrival, "ARRIVAL")
        last = maps[-1].rsplit("_", 1)[1].split(".")[0]
        check_close(data_array(piece, "PRESSURE"), grid_values(maps[-1], "PRESSURE_" + last), "last PRESSURE")
    print("vtu and pvd files check out")


if __name__ == "__main__":
    main(*sys.argv[1:4])
