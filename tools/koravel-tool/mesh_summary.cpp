#include "mesh_summary.h"

#include <charconv>
#include <string>
#include <utility>
#include <variant>

#include "json_writer.h"

namespace koravel {
namespace {

using FieldValue = std::variant<std::string, double>;
using Field = std::pair<const char*, FieldValue>;

std::string RecordFlagsText(const MeshDocument& document) {
  std::string flags;
  for (int row = 1; row <= kMeshSize; ++row) flags += std::to_string(document.RecordFlag[row] % 10);
  return flags;
}

// The single-valued fields, in header order.
std::vector<Field> ScalarFields(const MeshDocument& doc) {
  return {
      {"meshCode", doc.MeshCode.Text()},
      {"mapScale", doc.MapScale.Text()},
      {"surveyYear", doc.SurveyYear.Text()},
      {"revisionYear", doc.RevisionYear.Text()},
      {"digitizeYear", doc.DigitizeYear.Text()},
      {"lonPointN", double(doc.LONPointN)},
      {"latPointN", double(doc.LATPointN)},
      {"swLat", doc.SWLat.DisplayText()},
      {"swLon", doc.SWLon.DisplayText()},
      {"neLat", doc.NELat.DisplayText()},
      {"neLon", doc.NELon.DisplayText()},
      {"swLatSeconds", doc.SWLatSeconds},
      {"swLonSeconds", double(doc.SWLonSeconds)},
      {"neLatSeconds", doc.NELatSeconds},
      {"neLonSeconds", double(doc.NELonSeconds)},
      {"latStep", doc.LatStep},
      {"lonStep", doc.LonStep},
      {"sheetCount", double(doc.SheetCount)},
      {"recordCount", double(doc.RecordCount)},
      {"comment", doc.MeshComment.Text()},
      {"recordFlags", RecordFlagsText(doc)},
      {"minElevation", double(doc.MinElevation)},
      {"maxElevation", double(doc.MaxElevation)},
  };
}

std::string PlainText(const FieldValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  char digits[32];
  const auto end = std::to_chars(digits, digits + sizeof digits, std::get<double>(value));
  return std::string(digits, end.ptr);
}

}  // namespace

void PrintMeshSummary(const MeshDocument& document, const std::vector<Warning>& warnings,
                      std::ostream& out) {
  for (const auto& [key, value] : ScalarFields(document)) out << key << ": " << PlainText(value) << '\n';
  for (std::size_t sheet = 0; sheet < document.SheetName.size(); ++sheet) {
    out << "sheet" << sheet + 1 << ": " << document.SheetName[sheet].Text() << " ("
        << document.SheetFlag[sheet] << ")\n";
  }
  for (Warning warning : warnings) out << "warning: " << MessageText(warning) << '\n';
}

void PrintMeshSummaryJson(const MeshDocument& document, const std::vector<Warning>& warnings,
                          std::ostream& out) {
  JsonWriter json(out);
  json.BeginObject();
  for (const auto& [key, value] : ScalarFields(document)) {
    if (const auto* text = std::get_if<std::string>(&value)) {
      json.String(key, *text);
    } else {
      json.Number(key, std::get<double>(value));
    }
  }
  json.BeginArray("sheets");
  for (std::size_t sheet = 0; sheet < document.SheetName.size(); ++sheet) {
    json.BeginObject();
    json.String("name", document.SheetName[sheet].Text());
    json.Number("flag", document.SheetFlag[sheet]);
    json.EndObject();
  }
  json.EndArray();
  json.BeginArray("warnings");
  for (Warning warning : warnings) json.String(MessageText(warning));
  json.EndArray();
  json.EndObject();
  out << '\n';
}

}  // namespace koravel
