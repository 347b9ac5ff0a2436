#include "file_messages.h"

#include <iostream>

#include "core/mesh/mesh_reader.h"
#include "printable_path.h"

namespace koravel {

void PrintWarnings(const std::filesystem::path& file, const std::vector<Warning>& warnings) {
  for (Warning warning : warnings) std::cerr << PrintablePath(file) << ": " << MessageText(warning) << '\n';
}

int FailOn(const std::filesystem::path& file, ErrorCode error) {
  std::cerr << PrintablePath(file) << ": " << MessageText(error) << '\n';
  return 1;
}

std::optional<MeshDocument> ReadMeshPrintingMessages(const std::filesystem::path& path) {
  MeshReadResult read = ReadMeshFile(path);
  PrintWarnings(path, read.warnings);
  if (!read.document) FailOn(path, *read.error);
  return std::move(read.document);
}

}  // namespace koravel
