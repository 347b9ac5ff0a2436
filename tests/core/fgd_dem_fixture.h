#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace koravel::test {

/// The real 5 m tile, FG-GML-5238-74-00-DEM5A-20161001.xml, as the survey
/// distributes it: mesh 52387400, 225 × 150 points from 35.25 N 138.5 E.
extern const std::filesystem::path kRealDemFile;

/// The fields of an FG-GML elevation model file in the survey's layout;
/// Text() puts them together. The defaults are the real tile's header.
struct FgdDemFields {
  std::string mesh = "52387400";
  std::string srs = "fguuid:jgd2011.bl";
  std::string lower = "35.25 138.5";
  std::string upper = "35.258333333 138.5125";
  std::string high = "224 149";
  std::string order = "+x-y";
  std::string start = "0 0";
  std::vector<std::string> tuples;  ///< the lines of the tuple list, "地表面,145.30"

  std::string Text() const;
};

/// The lines of the real tile's tuple list, without their line ends.
std::vector<std::string> RealDemTuples();

/// The real tile's text with `from` replaced by `to` wherever it stands.
std::string RealDemWith(const std::string& from, const std::string& to);

/// The real tile's heights moved `east` and `north` tiles (45" and 30"
/// each) on the same grid, with the mesh code and envelope to match.
FgdDemFields RealDemMoved(int east, int north);

/// Writes a zip archive of `members` (name, bytes), deflated.
void WriteZip(const std::filesystem::path& zip, const std::vector<std::pair<std::string, std::string>>& members);

}  // namespace koravel::test
