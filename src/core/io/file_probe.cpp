#include "core/io/file_probe.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace koravel {
namespace {

bool FolderExists(const std::filesystem::path& path) {
  std::filesystem::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  struct stat status {};
  return stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

std::optional<ErrorCode> ProbeReadableFile(const std::filesystem::path& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) {
    if (errno == ENOENT) return FolderExists(path) ? ErrorCode::FileNotFound : ErrorCode::PathNotFound;
    if (errno == ENOTDIR) return ErrorCode::PathNotFound;
    return ErrorCode::FileError;
  }
  if (S_ISDIR(status.st_mode) || access(path.c_str(), R_OK) != 0) return ErrorCode::FileError;
  return std::nullopt;
}

bool HasReadOnlyAttribute(const std::filesystem::path& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode) &&
         (status.st_mode & S_IWUSR) == 0;
}

}  // namespace koravel
