#include "fill_command.h"

#include <iostream>
#include <string>

#include "core/edit/hole_filling.h"
#include "core/mesh/mesh_reader.h"
#include "core/mesh/mesh_writer.h"
#include "option_values.h"

namespace koravel {
namespace {

constexpr int kFailure = 1;
constexpr int kUsageError = 2;

int Fail(std::string_view file, ErrorCode error) {
  std::cerr << file << ": " << MessageText(error) << '\n';
  return kFailure;
}

}  // namespace

int RunFill(const std::vector<std::string_view>& args) {
  int max_cells = kDefaultHoleCells;
  std::size_t first = 0;
  if (!args.empty() && args[0] == "--hole-cells") {
    const std::optional<int> count = args.size() > 1 ? CountOption(args[1]) : std::nullopt;
    if (!count) return kUsageError;
    max_cells = *count;
    first = 2;
  }
  if (args.size() != first + 2) return kUsageError;
  const std::string input(args[first]);
  const std::string output(args[first + 1]);
  MeshReadResult read = ReadMeshFile(input);
  for (Warning warning : read.warnings) std::cerr << input << ": " << MessageText(warning) << '\n';
  if (!read.document) return Fail(input, *read.error);
  const CellChanges filled = FillHoles(*read.document, max_cells);
  filled.Apply(*read.document);
  if (const std::optional<ErrorCode> error = WriteMeshFile(*read.document, output)) return Fail(output, *error);
  const std::size_t cells = filled.Cells().size();
  std::cout << "fill: " << cells << (cells == 1 ? " cell" : " cells") << " filled\n";
  return 0;
}

}  // namespace koravel
