#!/usr/bin/python3
"""fgd_dem_to_tif.py OUT.tif XML...: the newer GSI elevation model's FG-GML
files to one GeoTIFF, the way the field's GDAL-based converters do it: the
text split around the tuple list, each tile's grid built with numpy from its
envelope, size and start point, and the tiles merged by their corners."""
import re
import sys

import numpy
from osgeo import gdal, osr

NO_DATA = -9999.0


def tag(text, name):
    return re.search(r"<gml:%s>(.*?)</gml:%s>" % (name, name), text, re.S).group(1)


def tile(path):
    text = open(path, encoding="utf-8").read()
    south, west = map(float, tag(text, "lowerCorner").split())
    north, east = map(float, tag(text, "upperCorner").split())
    columns, rows = (int(v) + 1 for v in tag(text, "high").split())
    start_x, start_y = map(int, tag(text, "startPoint").split())
    heights = []
    for line in tag(text, "tupleList").strip().splitlines():
        kind, value = (part.strip() for part in line.split(","))
        metres = float(value)
        heights.append(NO_DATA if kind in ("海水面", "データなし") or metres <= NO_DATA else metres)
    grid = numpy.full((rows, columns), NO_DATA, numpy.float32)
    start = start_y * columns + start_x
    grid.flat[start:start + len(heights)] = heights
    epsg = 4612 if 'srsName="fguuid:jgd2000.bl"' in text else 6668
    return west, north, (east - west) / columns, (south - north) / rows, grid, epsg


def main():
    tiles = [tile(path) for path in sys.argv[2:]]
    _, _, width, height, _, epsg = tiles[0]
    west = min(t[0] for t in tiles)
    north = max(t[1] for t in tiles)
    place = [(round((t[1] - north) / height), round((t[0] - west) / width)) for t in tiles]
    rows = max(r + t[4].shape[0] for (r, _), t in zip(place, tiles))
    columns = max(c + t[4].shape[1] for (_, c), t in zip(place, tiles))
    merged = numpy.full((rows, columns), NO_DATA, numpy.float32)
    for (row, column), t in zip(place, tiles):
        grid = t[4]
        target = merged[row:row + grid.shape[0], column:column + grid.shape[1]]
        numpy.copyto(target, grid, where=grid != NO_DATA)
    out = gdal.GetDriverByName("GTiff").Create(sys.argv[1], columns, rows, 1, gdal.GDT_Float32)
    out.SetGeoTransform((west, width, 0, north, 0, height))
    srs = osr.SpatialReference()
    srs.ImportFromEPSG(epsg)
    out.SetProjection(srs.ExportToWkt())
    out.GetRasterBand(1).SetNoDataValue(NO_DATA)
    out.GetRasterBand(1).WriteArray(merged)


if __name__ == "__main__":
    main()
