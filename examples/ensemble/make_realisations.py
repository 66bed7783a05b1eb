#!/usr/bin/env python3
"""Writes an ensemble of permeability realisations for the example deck oil_ensemble.fip.

    make_realisations.py <folder> [--count N] [--seed S]

The folder gets the base deck, its PERMX.inc and PERMZ.inc (the geometric mean everywhere)
and one sub-folder per realisation, r01 ... rN, each with its own PERMX.inc and PERMZ.inc:
log-normal permeability, ln k = ln(K_MEDIAN) + SIGMA z, where z is Gaussian noise smoothed
over about CORRELATION_CELLS cells in i and j (layers are independent) and scaled back to
unit variance, so that neighbouring cells are alike and far ones independent. PERMZ is a
tenth of PERMX. The same seed gives the same files.
"""
import argparse
import math
import os
import random
import shutil

NI, NJ, NK = 31, 31, 3
K_MEDIAN = 20.0        # md
SIGMA = 0.8            # standard deviation of ln k
CORRELATION_CELLS = 6  # width of the smoothing window, cells
VERTICAL_RATIO = 0.1   # PERMZ / PERMX


def smoothed(values, ni, nj, half_width):
    """Moving average over (2 half_width + 1) cells along i, then along j, of one layer."""
    def along(values, step, count, other_count, other_step):
        result = [0.0] * len(values)
        for o in range(other_count):
            for c in range(count):
                low, high = max(0, c - half_width), min(count - 1, c + half_width)
                total = sum(values[o * other_step + n * step] for n in range(low, high + 1))
                result[o * other_step + c * step] = total / (high - low + 1)
        return result
    return along(along(values, 1, ni, nj, ni), ni, nj, ni, 1)


def realisation(rng):
    """ln k of every cell, i fastest, then j, then k."""
    logs = []
    for _ in range(NK):
        noise = [rng.gauss(0.0, 1.0) for _ in range(NI * NJ)]
        layer = smoothed(noise, NI, NJ, CORRELATION_CELLS // 2)
        mean = sum(layer) / len(layer)
        deviation = math.sqrt(sum((v - mean) ** 2 for v in layer) / len(layer))
        logs += [math.log(K_MEDIAN) + SIGMA * (v - mean) / deviation for v in layer]
    return logs


def write_values(path, values):
    with open(path, "w") as file:
        for row in range(0, len(values), NI):
            file.write(" ".join("%.4g" % v for v in values[row:row + NI]) + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("folder")
    parser.add_argument("--count", type=int, default=50)
    parser.add_argument("--seed", type=int, default=1)
    options = parser.parse_args()
    if options.count < 1:
        parser.error("--count needs at least 1")

    os.makedirs(options.folder, exist_ok=True)
    here = os.path.dirname(os.path.abspath(__file__))
    shutil.copy(os.path.join(here, "oil_ensemble.fip"), options.folder)
    write_values(os.path.join(options.folder, "PERMX.inc"), [K_MEDIAN] * (NI * NJ * NK))
    write_values(os.path.join(options.folder, "PERMZ.inc"), [K_MEDIAN * VERTICAL_RATIO] * (NI * NJ * NK))

    rng = random.Random(options.seed)
    width = len(str(options.count))
    for r in range(1, options.count + 1):
        folder = os.path.join(options.folder, "r%0*d" % (max(2, width), r))
        os.makedirs(folder, exist_ok=True)
        permx = [math.exp(v) for v in realisation(rng)]
        write_values(os.path.join(folder, "PERMX.inc"), permx)
        write_values(os.path.join(folder, "PERMZ.inc"), [k * VERTICAL_RATIO for k in permx])
    print("Wrote %d realisations of oil_ensemble.fip into %s" % (options.count, options.folder))


if __name__ == "__main__":
    main()
