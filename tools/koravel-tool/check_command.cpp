#include "check_command.h"

#include <charconv>
#include <cmath>
#include <iostream>
#include <optional>
#include <string>

#include "core/analysis/checker.h"
#include "core/mesh/mesh_reader.h"
#include "json_writer.h"
#include "option_values.h"

namespace koravel {
namespace {

constexpr int kFound = 1;
constexpr int kUsageError = 2;

struct CheckArguments {
  bool json = false;
  CheckOptions options;
  std::vector<std::string_view> files;
};

std::optional<CheckArguments> ParseArguments(const std::vector<std::string_view>& args) {
  CheckArguments parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const bool has_value = i + 1 < args.size();
    if (args[i] == "--json") {
      parsed.json = true;
    } else if (args[i] == "--spike" && has_value && MetresOption(args[i + 1])) {
      parsed.options.threshold = *MetresOption(args[++i]);
    } else if (args[i] == "--hole-cells" && has_value && CountOption(args[i + 1])) {
      parsed.options.max_hole_cells = *CountOption(args[++i]);
    } else if (args[i].starts_with("--")) {
      return std::nullopt;
    } else {
      parsed.files.push_back(args[i]);
    }
  }
  if (parsed.files.empty()) return std::nullopt;
  return parsed;
}

// Tenths of a metre as metres, in the shortest form that reads back the same.
std::string Metres(double tenths) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, tenths / 10);
  return std::string(text, result.ptr);
}

// "1 cell", "3 cells".
std::string Counted(int count, std::string_view noun) {
  return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

std::string_view SideName(CompassDirection side) {
  switch (side) {
    case CompassDirection::North: return "north";
    case CompassDirection::East: return "east";
    case CompassDirection::South: return "south";
    default: return "west";
  }
}

std::string Detail(const Finding& finding) {
  const CellRect& extent = finding.extent;
  switch (finding.kind) {
    case FindingKind::Spike:
    case FindingKind::Pit:
      return Metres(finding.value) + " m, " + Metres(std::abs(finding.value - finding.median)) +
             (finding.kind == FindingKind::Spike ? " m above" : " m below") + " the median " +
             Metres(finding.median) + " m of its neighbours";
    case FindingKind::Hole:
      return Counted(finding.count, "cell") + " in columns " + std::to_string(extent.left) + "-" +
             std::to_string(extent.right) + ", rows " + std::to_string(extent.top) + "-" + std::to_string(extent.bottom);
    case FindingKind::Seam:
      return std::string(SideName(finding.side)) + " edge, " + Counted(finding.count, "cell") + " to " +
             std::to_string(extent.right) + " " + std::to_string(extent.bottom) + ", up to " +
             Metres(finding.value) + " m from the neighbour";
    case FindingKind::Omitted:
      return Counted(finding.count, "row") + " to row " + std::to_string(extent.bottom);
    case FindingKind::Reference:
      return Counted(finding.count, "cell") + " to column " + std::to_string(extent.right) + ", up to " +
             Metres(finding.value) + " m from the reference";
  }
  return {};
}

void PrintText(std::string_view file, const std::vector<Finding>& findings) {
  for (const Finding& finding : findings) {
    std::cout << file << ": " << FindingKindName(finding.kind) << ' ' << finding.cell.x << ' ' << finding.cell.y
              << ' ' << Detail(finding) << '\n';
  }
  std::cout << file << ": " << Counted(static_cast<int>(findings.size()), "finding") << '\n';
}

void WriteFindingJson(JsonWriter& json, const Finding& finding) {
  json.BeginObject();
  json.String("kind", FindingKindName(finding.kind));
  json.Number("column", finding.cell.x);
  json.Number("row", finding.cell.y);
  if (finding.kind == FindingKind::Spike || finding.kind == FindingKind::Pit) {
    json.Number("value", finding.value / 10.0);
    json.Number("median", finding.median / 10.0);
  } else {
    json.Number(finding.kind == FindingKind::Omitted ? "rows" : "cells", finding.count);
    json.Number("lastColumn", finding.extent.right);
    json.Number("lastRow", finding.extent.bottom);
  }
  if (finding.kind == FindingKind::Seam) {
    json.String("side", SideName(finding.side));
    json.Number("difference", finding.value / 10.0);
  }
  json.EndObject();
}

void WriteJson(JsonWriter& json, std::string_view file, const std::vector<Finding>& findings) {
  json.BeginObject();
  json.String("file", file);
  json.BeginArray("findings");
  for (const Finding& finding : findings) WriteFindingJson(json, finding);
  json.EndArray();
  json.EndObject();
}

}  // namespace

int RunCheck(const std::vector<std::string_view>& args) {
  const std::optional<CheckArguments> parsed = ParseArguments(args);
  if (!parsed) return kUsageError;
  JsonWriter json(std::cout);
  if (parsed->json) json.BeginArray({});
  int status = 0;
  for (std::string_view file : parsed->files) {
    const MeshReadResult read = ReadMeshFile(std::string(file));
    if (!read.document) {
      std::cerr << file << ": " << MessageText(*read.error) << '\n';
      status = kFound;
      continue;
    }
    const NeighbourEdges neighbours = ReadNeighbourEdges(std::string(file), read.document->MeshCode.Text());
    const std::vector<Finding> findings = CheckMesh(*read.document, neighbours, parsed->options);
    if (!findings.empty()) status = kFound;
    if (parsed->json) {
      WriteJson(json, file, findings);
    } else {
      PrintText(file, findings);
    }
  }
  if (parsed->json) {
    json.EndArray();
    std::cout << '\n';
  }
  return status;
}

}  // namespace koravel
