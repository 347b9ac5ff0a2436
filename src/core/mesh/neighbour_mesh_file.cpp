#include "core/mesh/neighbour_mesh_file.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <system_error>

namespace koravel {
namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
    return std::tolower(x) == std::tolower(y);
  });
}

}  // namespace

std::optional<std::filesystem::path> NeighbourMeshFile(const std::filesystem::path& mesh_file,
                                                       std::string_view code, CompassDirection direction) {
  const std::optional<std::string> neighbour = NeighbourMeshCode(code, direction);
  if (!neighbour || mesh_file.empty()) return std::nullopt;
  const std::string wanted = *neighbour + ".mem";
  std::optional<std::filesystem::path> found;
  std::error_code error;
  const std::filesystem::path folder = mesh_file.has_parent_path() ? mesh_file.parent_path() : ".";
  // Incremented with an error code: a folder that fails half way ends the search, it throws nothing.
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
    const std::filesystem::path& path = entry->path();
    std::error_code type_error;
    if (!SameIgnoringCase(path.filename().string(), wanted) || !entry->is_regular_file(type_error) ||
        ::access(path.c_str(), R_OK) != 0) {
      continue;
    }
    if (!found || path < *found) found = path;
  }
  return found;
}

}  // namespace koravel
