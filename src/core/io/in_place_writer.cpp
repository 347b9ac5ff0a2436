#include "core/io/in_place_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "core/io/unnamed_file.h"

namespace koravel {
namespace {

constexpr std::string_view kCopySuffix = ".koravel-backup-";

std::filesystem::path FolderOf(const std::filesystem::path& file) {
  return file.has_parent_path() ? file.parent_path() : ".";
}

// The user's cache folder, for a copy that cannot stay beside its file.
std::filesystem::path CacheFolder() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  if (cache != nullptr && cache[0] == '/') return std::filesystem::path(cache) / "koravel";
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home != nullptr ? home : "") / ".cache" / "koravel";
}

FileDescriptor OpenFolder(const std::filesystem::path& folder) {
  return FileDescriptor(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

}  // namespace

std::optional<ErrorCode> InPlaceWriter::Write(std::string_view contents) {
  const FileDescriptor file(open(target_.c_str(), O_RDWR | O_CLOEXEC));
  if (!file.IsOpen()) return ErrorFromErrno(errno);
  const std::optional<std::string> old_contents = file.ReadAll();
  if (!old_contents) return ErrorFromErrno(errno);
  if (auto failure = KeepCopy(*old_contents)) return failure;
  if (!file.Overwrite(contents)) {
    const ErrorCode failure = ErrorFromErrno(errno);
    if (file.Overwrite(*old_contents)) RemoveCopy();
    return failure;
  }
  RemoveCopy();
  return std::nullopt;
}

// The copy is named only once it is complete and on the disk, so that a
// named copy always holds the whole old file.
std::optional<ErrorCode> InPlaceWriter::KeepCopy(std::string_view old_contents) {
  copy_folder_ = OpenCopyFolder();
  if (!copy_folder_.IsOpen()) return ErrorFromErrno(errno);
  const std::string prefix = target_.filename().string() + std::string(kCopySuffix);
  std::optional<UnnamedFile> copy = UnnamedFile::Create(copy_folder_.Get(), prefix);
  if (!copy) return ErrorFromErrno(errno);
  const FileDescriptor& descriptor = copy->Descriptor();
  if (fchmod(descriptor.Get(), S_IRUSR | S_IWUSR) != 0 || !descriptor.WriteAll(old_contents) ||
      fsync(descriptor.Get()) != 0) {
    return ErrorFromErrno(errno);
  }
  std::optional<std::string> name = copy->TakeFreshName();
  if (!name) return ErrorFromErrno(errno);
  copy_name_ = std::move(*name);
  if (fsync(copy_folder_.Get()) != 0) {
    const ErrorCode failure = ErrorFromErrno(errno);
    RemoveCopy();
    return failure;
  }
  return std::nullopt;
}

FileDescriptor InPlaceWriter::OpenCopyFolder() const {
  const std::filesystem::path beside = FolderOf(target_);
  if (faccessat(AT_FDCWD, beside.c_str(), W_OK | X_OK, AT_EACCESS) == 0) return OpenFolder(beside);
  const std::filesystem::path cache = CacheFolder();
  std::error_code ignored;
  std::filesystem::create_directories(cache.parent_path(), ignored);
  mkdir(cache.c_str(), S_IRWXU);
  return OpenFolder(cache);
}

void InPlaceWriter::RemoveCopy() const { unlinkat(copy_folder_.Get(), copy_name_.c_str(), 0); }

}  // namespace koravel
