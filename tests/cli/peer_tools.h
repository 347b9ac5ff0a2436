#pragma once

#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "../core/mesh_file_fields.h"

namespace koravel::test {

inline std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

inline bool Succeeds(const std::string& command) { return RunShell(command).status == 0; }

inline std::string Tool(const std::string& arguments) { return std::string(KORAVEL_TOOL) + " " + arguments; }

/// The numbers a shell command prints, blank-separated.
inline std::vector<double> Numbers(const std::string& command) {
  std::istringstream numbers(RunShell(command).text);
  return {std::istream_iterator<double>(numbers), std::istream_iterator<double>()};
}

/// A raster as GDAL reads it: the geotransform (west, width, 0, north, 0,
/// -height), then the values row by row from the north. Debian's GDAL
/// bindings belong to the system's own interpreter.
inline std::vector<double> GdalRaster(const std::filesystem::path& raster) {
  return Numbers("/usr/bin/python3 -c 'import sys; from osgeo import gdal; d = gdal.Open(sys.argv[1]); "
                 "print(*d.GetGeoTransform(), *d.ReadAsArray().flatten().tolist())' " +
                 Quoted(raster));
}

}  // namespace koravel::test
