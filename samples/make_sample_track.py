#!/usr/bin/env python3
"""Writes samples/sample.trk: a GPS track log across the sample mesh, shaped as
GPSBabel writes PCX5 files (degrees and decimal minutes, Tokyo datum).

The walk climbs from the south-east coast towards the massif in the north-west,
pauses (a new track segment in the log), and comes back down a valley.
"""

import math
import sys
from pathlib import Path

SOUTH, NORTH = 35 + 40 / 60, 35 + 45 / 60
WEST, EAST = 139 + 37.5 / 60, 139 + 45 / 60


def dm(value, degree_digits):
    """Degrees and decimal minutes as PCX5 writes them: DDMM.MMMMM."""
    degrees = int(value)
    minutes = (value - degrees) * 60
    return f"{degrees:0{degree_digits}d}{minutes:08.5f}"


def walk(start, end, points, wiggle, phase):
    """Points from start to end (fractions of the mesh) with a gentle meander."""
    for i in range(points):
        t = i / (points - 1)
        x = start[0] + (end[0] - start[0]) * t + wiggle * math.sin(6 * t + phase)
        y = start[1] + (end[1] - start[1]) * t + wiggle * math.cos(5 * t + phase)
        yield NORTH - y * (NORTH - SOUTH), WEST + x * (EAST - WEST)


def track_lines(points, minute):
    for latitude, longitude in points:
        hours, minutes = divmod(minute, 60)
        yield (f"T  N{dm(latitude, 2)} E{dm(longitude, 3)} 15-NOV-23 "
               f"{8 + hours:02d}:{minutes:02d}:00 {120 + minute}")
        minute += 1


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name("sample.trk")
    lines = ["H  SOFTWARE NAME & VERSION", "I  PCX5 2.09", "", "H  R DATUM",
             "M  G TOKYO                             ", "", "H  COORDINATE SYSTEM",
             "U  LAT LON DM", "", "H  LATITUDE    LONGITUDE    DATE      TIME     ALT"]
    lines += track_lines(walk((0.85, 0.75), (0.1, 0.12), 120, 0.03, 0.0), 0)
    lines += ["", "H  LATITUDE    LONGITUDE    DATE      TIME     ALT"]
    lines += track_lines(walk((0.12, 0.16), (0.6, 0.9), 100, 0.04, 1.3), 150)
    out.write_bytes(("\r\n".join(lines) + "\r\n").encode("cp932"))


if __name__ == "__main__":
    main()
