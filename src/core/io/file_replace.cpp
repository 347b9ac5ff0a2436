#include "core/io/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <variant>

#include "core/io/file_attributes.h"
#include "core/io/file_descriptor.h"
#include "core/io/in_place_writer.h"
#include "core/io/file_probe.h"
#include "core/io/unnamed_file.h"

namespace koravel {
namespace {

constexpr int kMaxLinkHops = 40;

// Saving through a symbolic link writes the file it names, also one that does
// not exist yet, and leaves the link a link.
std::optional<std::filesystem::path> FollowLinks(std::filesystem::path path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) return path;
    const std::filesystem::path link = std::filesystem::read_symlink(path, error);
    if (error) return std::nullopt;
    path = link.is_absolute() ? link : path.parent_path() / link;
  }
  return std::nullopt;
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
  return file.has_parent_path() ? file.parent_path() : ".";
}

// An error when the existing target must not be replaced: a folder, a device
// or pipe (renaming over it would swap it for a plain file), a file with the
// read-only attribute, or one this user may not write.
std::optional<ErrorCode> RefusalOf(const std::filesystem::path& target, const struct stat& status) {
  if (!S_ISREG(status.st_mode) || HasReadOnlyAttribute(target)) {
    return ErrorCode::InvalidPathOrNotWritable;
  }
  if (faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return ErrorFromErrno(errno);
  return std::nullopt;
}

bool IsMountPoint(const std::filesystem::path& target) {
  struct statx status {};
  return statx(AT_FDCWD, target.c_str(), 0, STATX_BASIC_STATS, &status) == 0 &&
         (status.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0 &&
         (status.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
}

// Renaming a new file over the target would cut its other hard links, fail
// in a folder only the file is writable in, or fail on a file mounted of its own.
bool MustWriteInPlace(const std::filesystem::path& target, const struct stat& status) {
  return status.st_nlink > 1 || faccessat(AT_FDCWD, FolderOf(target).c_str(), W_OK | X_OK, AT_EACCESS) != 0 ||
         IsMountPoint(target);
}

// The new file could not be given all the target has.
struct AttributesStayBehind {};
using RenameOutcome = std::variant<std::monostate, ErrorCode, AttributesStayBehind>;

// One name per target, so that a save killed between naming the new file and
// renaming it leaves one file that the next save takes over.
std::string TemporaryNameOf(const std::filesystem::path& target) {
  return "." + target.filename().string() + ".koravel-new";
}

// Writes `contents` to an unnamed file beside the target, gives it what the
// target has, flushes it, names it and renames it over the target.
RenameOutcome ReplaceByRename(const std::filesystem::path& target, std::string_view contents,
                              const FileAttributes* attributes) {
  const FileDescriptor folder(open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!folder.IsOpen()) return ErrorFromErrno(errno);
  std::optional<UnnamedFile> file = UnnamedFile::Create(folder.Get(), ".koravel-");
  if (!file) return ErrorFromErrno(errno);
  const FileDescriptor& descriptor = file->Descriptor();
  if (!descriptor.WriteAll(contents)) return ErrorFromErrno(errno);
  if (attributes != nullptr && !attributes->ApplyTo(descriptor.Get())) return AttributesStayBehind{};
  if (fsync(descriptor.Get()) != 0) return ErrorFromErrno(errno);
  const std::optional<std::string> name = file->TakeName(TemporaryNameOf(target));
  if (!name) return ErrorFromErrno(errno);
  if (renameat(folder.Get(), name->c_str(), folder.Get(), target.filename().c_str()) != 0) {
    const ErrorCode failure = ErrorFromErrno(errno);
    unlinkat(folder.Get(), name->c_str(), 0);
    return failure;
  }
  // Until the folder reaches the disk the rename may still be undone by a crash.
  if (fsync(folder.Get()) != 0) return ErrorCode::FileError;
  return std::monostate{};
}

std::optional<ErrorCode> ReplaceExisting(const std::filesystem::path& target, const struct stat& status,
                                         std::string_view contents) {
  const std::optional<FileAttributes> attributes = FileAttributes::Capture(target);
  if (!attributes || MustWriteInPlace(target, status)) return InPlaceWriter(target).Write(contents);
  const RenameOutcome outcome = ReplaceByRename(target, contents, &*attributes);
  if (std::holds_alternative<AttributesStayBehind>(outcome)) return InPlaceWriter(target).Write(contents);
  if (const ErrorCode* failure = std::get_if<ErrorCode>(&outcome)) return *failure;
  return std::nullopt;
}

}  // namespace

std::optional<ErrorCode> ReplaceFileContents(const std::filesystem::path& path, std::string_view contents) {
  const std::optional<std::filesystem::path> target = FollowLinks(path);
  if (!target) return ErrorCode::FileError;
  struct stat status {};
  if (stat(target->c_str(), &status) == 0) {
    if (auto refused = RefusalOf(*target, status)) return refused;
    return ReplaceExisting(*target, status, contents);
  }
  if (errno != ENOENT) return ErrorFromErrno(errno);
  const RenameOutcome outcome = ReplaceByRename(*target, contents, nullptr);
  if (const ErrorCode* failure = std::get_if<ErrorCode>(&outcome)) return *failure;
  return std::nullopt;
}

}  // namespace koravel
