#include "contour_command.h"

#include <iostream>
#include <set>
#include <string>

#include "core/analysis/contour_tracer.h"
#include "core/export/contour_writer.h"
#include "file_messages.h"
#include "option_values.h"

namespace koravel {
namespace {

constexpr int kFailure = 1;
constexpr int kUsageError = 2;
constexpr std::string_view kEpsgPrefix = "EPSG:";

struct ContourArguments {
  std::string mesh;
  std::string output;
  ContourLevels levels;
  std::optional<int> epsg;
};

// "EPSG:6677", the prefix in any case.
std::optional<int> EpsgOption(std::string_view text) {
  if (text.size() <= kEpsgPrefix.size()) return std::nullopt;
  for (std::size_t i = 0; i < kEpsgPrefix.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(text[i])) != kEpsgPrefix[i]) return std::nullopt;
  }
  const std::optional<int> code = CountOption(text.substr(kEpsgPrefix.size()));
  return code && *code > 0 ? code : std::nullopt;
}

std::optional<ContourArguments> ParseArguments(const std::vector<std::string_view>& args) {
  ContourArguments parsed;
  std::vector<std::string_view> files;
  bool has_interval = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const bool has_value = i + 1 < args.size();
    if (args[i] == "--interval" && has_value && NumberOption(args[i + 1]).value_or(0) > 0) {
      parsed.levels.IntervalMetres = *NumberOption(args[++i]);
      has_interval = true;
    } else if (args[i] == "--base" && has_value && NumberOption(args[i + 1])) {
      parsed.levels.BaseMetres = *NumberOption(args[++i]);
    } else if (args[i] == "--crs" && has_value && EpsgOption(args[i + 1])) {
      parsed.epsg = EpsgOption(args[++i]);
    } else if (args[i].starts_with("--")) {
      return std::nullopt;
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.size() != 2 || !has_interval) return std::nullopt;
  parsed.mesh = files[0];
  parsed.output = files[1];
  return parsed;
}

}  // namespace

int RunContour(const std::vector<std::string_view>& args) {
  const std::optional<ContourArguments> parsed = ParseArguments(args);
  if (!parsed) return kUsageError;
  if (!VectorFormatOf(parsed->output)) return FailOn(parsed->output, ErrorCode::UnsupportedContourFormat);
  const std::optional<MeshDocument> mesh = ReadMeshPrintingMessages(parsed->mesh);
  if (!mesh) return kFailure;
  const std::variant<std::vector<ContourLine>, ErrorCode> traced = TraceContours(*mesh, parsed->levels);
  if (const ErrorCode* error = std::get_if<ErrorCode>(&traced)) return FailOn(parsed->mesh, *error);
  const std::vector<ContourLine>& lines = std::get<std::vector<ContourLine>>(traced);
  if (const std::optional<ErrorCode> error = WriteContours(*mesh, lines, parsed->output, parsed->epsg)) {
    return FailOn(parsed->output, *error);
  }
  std::set<int> levels;
  for (const ContourLine& line : lines) levels.insert(line.Index);
  std::cout << "contour: " << lines.size() << (lines.size() == 1 ? " line" : " lines") << " at " << levels.size()
            << (levels.size() == 1 ? " level" : " levels") << '\n';
  return 0;
}

}  // namespace koravel
