#!/usr/bin/env python3
"""Writes samples/sample.trk: a GPS track log across the sample mesh, shaped as
GPSBabel writes PCX5 files (degrees and decimal minutes, Tokyo datum), and
samples/sample.gpx: the same walk as a GPS records it, on WGS 84.

The walk climbs from the south-east coast towards the massif in the north-west,
pauses (a new track segment in the log), and comes back down a valley.

The GPX positions come from PROJ's cct (Debian proj-bin) with the operation
the program converts by, EPSG:15484, so the GPX walk lands where the .trk
walk does. Usage: make_sample_track.py [OUT.trk [OUT.gpx]]
"""

import math
import subprocess
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


def to_wgs84(points):
    """Tokyo-datum (latitude, longitude) pairs on WGS 84, converted by PROJ."""
    pipeline = subprocess.run(["projinfo", "-k", "operation", "EPSG:15484", "-o", "PROJ", "-q",
                               "--single-line"], check=True, capture_output=True, text=True).stdout.split()
    lines = "".join(f"{lat:.12f} {lon:.12f} 0 0\n" for lat, lon in points)
    out = subprocess.run(["cct", "-d", "12", *pipeline], input=lines, check=True, capture_output=True,
                         text=True).stdout
    return [tuple(float(v) for v in line.split()[:2]) for line in out.splitlines()]


def gpx(pieces, minutes):
    """A GPX 1.1 file with one track segment per piece, as GPS apps write it."""
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<gpx version="1.1" creator="make_sample_track.py" xmlns="http://www.topografix.com/GPX/1/1">',
             "<trk><name>sample walk</name>"]
    for points, minute in zip(pieces, minutes):
        lines.append("<trkseg>")
        for latitude, longitude in to_wgs84(points):
            hours, rest = divmod(minute, 60)
            lines.append(f'<trkpt lat="{latitude:.8f}" lon="{longitude:.8f}"><ele>{120 + minute}</ele>'
                         f"<time>2023-11-15T{8 + hours:02d}:{rest:02d}:00Z</time></trkpt>")
            minute += 1
        lines.append("</trkseg>")
    lines += ["</trk>", "</gpx>"]
    return "\n".join(lines) + "\n"


def main():
    here = Path(__file__).parent
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else here / "sample.trk"
    out_gpx = Path(sys.argv[2]) if len(sys.argv) > 2 else here / "sample.gpx"
    pieces = [list(walk((0.85, 0.75), (0.1, 0.12), 120, 0.03, 0.0)),
              list(walk((0.12, 0.16), (0.6, 0.9), 100, 0.04, 1.3))]
    lines = ["H  SOFTWARE NAME & VERSION", "I  PCX5 2.09", "", "H  R DATUM",
             "M  G TOKYO                             ", "", "H  COORDINATE SYSTEM",
             "U  LAT LON DM", "", "H  LATITUDE    LONGITUDE    DATE      TIME     ALT"]
    lines += track_lines(pieces[0], 0)
    lines += ["", "H  LATITUDE    LONGITUDE    DATE      TIME     ALT"]
    lines += track_lines(pieces[1], 150)
    out.write_bytes(("\r\n".join(lines) + "\r\n").encode("cp932"))
    out_gpx.write_text(gpx(pieces, [0, 150]), encoding="utf-8")


if __name__ == "__main__":
    main()
