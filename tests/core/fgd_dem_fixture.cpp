#include "fgd_dem_fixture.h"

#include <zip.h>

#include <cstdio>
#include <stdexcept>

#include "mesh_file_fields.h"

namespace koravel::test {
namespace {

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

// Degrees as the survey writes them: at most nine decimals, no trailing zeros.
std::string Degrees(double degrees) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9f", degrees);
  std::string trimmed = text;
  trimmed.erase(trimmed.find_last_not_of('0') + 1);
  if (trimmed.back() == '.') trimmed.pop_back();
  return trimmed;
}

}  // namespace

const std::filesystem::path kRealDemFile = KORAVEL_REAL_DEM;

std::string FgdDemFields::Text() const {
  std::string list;
  for (const std::string& tuple : tuples) list += tuple + "\n";
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<Dataset xmlns:gml=\"http://www.opengis.net/gml/3.2\" "
         "xmlns=\"http://fgd.gsi.go.jp/spec/2008/FGD_GMLSchema\" gml:id=\"Dataset1\">\n"
         "<DEM gml:id=\"DEM001\"><type>5mメッシュ（標高）</type><mesh>" + mesh + "</mesh>\n"
         "<coverage gml:id=\"DEM001-3\"><gml:boundedBy><gml:Envelope srsName=\"" + srs + "\">"
         "<gml:lowerCorner>" + lower + "</gml:lowerCorner><gml:upperCorner>" + upper + "</gml:upperCorner>"
         "</gml:Envelope></gml:boundedBy>\n<gml:gridDomain><gml:Grid dimension=\"2\" gml:id=\"DEM001-4\">"
         "<gml:limits><gml:GridEnvelope><gml:low>0 0</gml:low><gml:high>" + high + "</gml:high>"
         "</gml:GridEnvelope></gml:limits><gml:axisLabels>x y</gml:axisLabels></gml:Grid></gml:gridDomain>\n"
         "<gml:rangeSet><gml:DataBlock><gml:rangeParameters><gml:QuantityList uom=\"DEM構成点\"></gml:QuantityList>"
         "</gml:rangeParameters>\n<gml:tupleList>\n" + list + "</gml:tupleList>\n</gml:DataBlock></gml:rangeSet>\n"
         "<gml:coverageFunction><gml:GridFunction><gml:sequenceRule order=\"" + order + "\">Linear</gml:sequenceRule>"
         "<gml:startPoint>" + start + "</gml:startPoint></gml:GridFunction></gml:coverageFunction>\n"
         "</coverage></DEM></Dataset>\n";
}

std::vector<std::string> RealDemTuples() {
  const std::string text = ReadBytes(kRealDemFile);
  const std::string_view kBegin = "<gml:tupleList>\r\n", kEnd = "</gml:tupleList>";
  std::vector<std::string> tuples;
  for (std::size_t at = text.find(kBegin) + kBegin.size(), end; at < text.find(kEnd); at = end + 2) {
    end = text.find("\r\n", at);
    tuples.push_back(text.substr(at, end - at));
  }
  return tuples;
}

std::string RealDemWith(const std::string& from, const std::string& to) {
  std::string text = ReadBytes(kRealDemFile);
  ReplaceAll(text, from, to);
  return text;
}

FgdDemFields RealDemMoved(int east, int north) {
  const double south = 35.25 + north / 120.0, west = 138.5 + east / 80.0;
  FgdDemFields fields;
  fields.mesh = "523874" + std::to_string(north) + std::to_string(east);
  fields.lower = Degrees(south) + " " + Degrees(west);
  fields.upper = Degrees(south + 1 / 120.0) + " " + Degrees(west + 1 / 80.0);
  fields.tuples = RealDemTuples();
  return fields;
}

void WriteZip(const std::filesystem::path& zip, const std::vector<std::pair<std::string, std::string>>& members) {
  int error = 0;
  zip_t* archive = zip_open(zip.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (archive == nullptr) throw std::runtime_error("cannot create " + zip.string());
  for (const auto& [name, bytes] : members) {
    zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
    if (source == nullptr || zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
      throw std::runtime_error("cannot add " + name);
    }
  }
  if (zip_close(archive) != 0) throw std::runtime_error("cannot write " + zip.string());
}

}  // namespace koravel::test
