#!/usr/bin/env python3
"""Generate samples/sample.mem: a synthetic 200x200 elevation tile for mesh 533945.

The terrain is purely analytic (Gaussians, sines and hash-based value noise),
so the output is byte-identical on every run and every platform.

Usage: make_sample.py [OUTPUT]   (default: sample.mem next to this script)
"""
import math
import os
import sys

MESH = "533945"
N = 200                 # points per side
NODATA = -9999          # sea
IDEO_SPACE = "\u3000"


def hash01(ix, iy, seed):
    """Deterministic pseudo-random value in [0, 1) for an integer lattice point."""
    h = (ix * 374761393 + iy * 668265263 + seed * 2147483647) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((h ^ (h >> 16)) & 0xFFFFFF) / float(1 << 24)


def value_noise(x, y, cell, seed):
    """Smoothly interpolated lattice noise in [-1, 1]; `cell` is the feature size."""
    fx, fy = x / cell, y / cell
    ix, iy = math.floor(fx), math.floor(fy)
    tx, ty = fx - ix, fy - iy
    tx, ty = tx * tx * (3 - 2 * tx), ty * ty * (3 - 2 * ty)
    a = hash01(ix, iy, seed) + (hash01(ix + 1, iy, seed) - hash01(ix, iy, seed)) * tx
    b = hash01(ix, iy + 1, seed) + (hash01(ix + 1, iy + 1, seed) - hash01(ix, iy + 1, seed)) * tx
    return 2.0 * (a + (b - a) * ty) - 1.0


def fbm(x, y, seed, cell=32.0, octaves=4):
    """Fractal noise: a few octaves of value noise, roughly in [-1, 1]."""
    total, amp = 0.0, 0.5
    for o in range(octaves):
        total += amp * value_noise(x, y, cell / (2 ** o), seed + o)
        amp *= 0.5
    return total


def gauss(x, y, cx, cy, sx, sy):
    return math.exp(-((x - cx) / sx) ** 2 - ((y - cy) / sy) ** 2)


def line_dist(x, y, x0, y0, x1, y1):
    """Distance from (x, y) to the segment (x0, y0)-(x1, y1)."""
    dx, dy = x1 - x0, y1 - y0
    t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - x0 - t * dx, y - y0 - t * dy)


# Valleys radiating from the massif: (start, end, half-width in cells, depth 0..1).
VALLEYS = [((70, 58), (150, 100), 6.0, 0.55),
           ((45, 65), (10, 150), 5.0, 0.50),
           ((68, 42), (130, 5), 4.5, 0.45),
           ((95, 85), (95, 170), 5.0, 0.40)]


def elevation(x, y):
    """Elevation in tenths of a metre at grid point (x east, y south), or NODATA."""
    # Shoreline runs diagonally; wobbly sines plus noise make it look natural.
    d = (x + y) / (2.0 * (N - 1)) - 0.66
    d += 0.035 * math.sin(x * 0.11) + 0.025 * math.sin(y * 0.17 + 1.3)
    d += 0.06 * fbm(x, y, seed=7, cell=24.0)
    if d > 0:
        return NODATA
    # Massif in the north-west with satellite peaks, then rolling hills.
    h = 12500 * gauss(x, y, 55, 50, 40, 34)
    h += 5000 * gauss(x, y, 30, 85, 18, 22) + 4500 * gauss(x, y, 95, 35, 20, 16)
    h += 2000 * gauss(x, y, 130, 60, 25, 20)
    h += 800 * (math.sin(x * 0.09) * math.cos(y * 0.07) + 1.0)
    h += 300 * math.sin((x - 2 * y) * 0.05)
    h *= 1.0 + 0.25 * fbm(x, y, seed=21)
    # Cut valleys as multiplicative troughs so ridges stay between them.
    for (x0, y0), (x1, y1), w, depth in VALLEYS:
        dist = line_dist(x, y, x0, y0, x1, y1)
        h *= 1.0 - depth * math.exp(-(dist / w) ** 2)
    h += 150 * fbm(x, y, seed=99, cell=8.0, octaves=3)
    # Fade terrain out near the coast, leaving a low plain of 0-20 m.
    t = min(1.0, -d / 0.14)
    ramp = t * t * (3 - 2 * t)
    plain = 200 * min(1.0, -d / 0.05)
    v = int(round(plain * (1 - ramp) + max(h, plain) * ramp))
    return max(0, min(99999, v))


def fmt(v):
    return "%05d" % v if v >= 0 else "-%04d" % -v


def pad(text, width):
    assert len(text) <= width
    return text + IDEO_SPACE * (width - len(text))


def header():
    names = [pad("東京西南部", 10) + "1"] + [pad("", 10) + "0"] * 3
    comment = pad("合成テスト用の架空地形データです（山地・丘陵・海岸）", 40)
    line = (MESH + "%5d" % 25000 + "1983" + "1992" + "1994" + "%03d%03d" % (N, N)
            + "0354000" + "1393730" + "0354500" + "1394500" + "1"
            + "".join(names) + "%03d" % N + comment + "1" * N + " " * 584)
    assert len(line) == 929, len(line)
    assert len(line.encode("cp932")) == 1009
    return line


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "sample.mem")
    lines = [header()]
    for y in range(1, N + 1):
        row = "".join(fmt(elevation(x - 1, y - 1)) for x in range(1, N + 1))
        lines.append(MESH + "%03d" % y + row)
        assert len(lines[-1]) == 1009
    # newline="" keeps our explicit CR LF untouched on every platform.
    with open(out, "w", encoding="cp932", newline="") as f:
        f.write("".join(line + "\r\n" for line in lines))
    print("wrote", out)


if __name__ == "__main__":
    main()
