#include "core/io/file_probe.h"

#include <sys/stat.h>

namespace koravel {

std::filesystem::path FolderOf(const std::filesystem::path& file) {
  return file.has_parent_path() ? file.parent_path() : ".";
}

bool IsReadOnlyMode(mode_t mode) { return (mode & S_IWUSR) == 0; }

bool HasReadOnlyAttribute(const std::filesystem::path& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode) && IsReadOnlyMode(status.st_mode);
}

}  // namespace koravel
