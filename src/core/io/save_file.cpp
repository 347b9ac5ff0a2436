#include "core/io/save_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/io/errno_error.h"
#include "core/io/file_descriptor.h"

namespace koravel {
namespace {

bool IsMountPoint(int file) {
  struct statx status {};
  return statx(file, "", AT_EMPTY_PATH, STATX_BASIC_STATS, &status) == 0 &&
         (status.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0 &&
         (status.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
}

// Renaming a new file over the target would cut its other hard links, fail
// in a folder only the file is writable in, or fail on a file mounted of its own.
bool MustWriteInPlace(const SaveTarget& target) {
  return target.Status().st_nlink > 1 || faccessat(target.Folder(), ".", W_OK | X_OK, AT_EACCESS) != 0 ||
         IsMountPoint(target.File());
}

// Every live save of the file waits for its lock, so under it a hidden name
// of the file's own can only be what a save killed between naming and
// renaming left behind.
void RemoveStrays(int folder, const std::string& prefix) {
  DIR* listing = fdopendir(openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (listing == nullptr) return;
  while (const dirent* entry = readdir(listing)) {
    const std::string_view name = entry->d_name;
    if (name.size() == prefix.size() + UnnamedFile::kRandomLength && name.starts_with(prefix)) {
      unlinkat(folder, entry->d_name, 0);
    }
  }
  closedir(listing);
}

}  // namespace

std::variant<SaveFile, ErrorCode> SaveFile::Begin(const std::filesystem::path& path, DeferredFlush* deferred) {
  std::variant<SaveTarget, ErrorCode> target = SaveTarget::Open(path);
  if (const ErrorCode* refused = std::get_if<ErrorCode>(&target)) return *refused;
  SaveFile save(std::move(std::get<SaveTarget>(target)), deferred);
  if (auto failure = save.Prepare()) return *failure;
  return save;
}

int SaveFile::Descriptor() const { return in_place_ ? target_.File() : replacement_->Descriptor().Get(); }

std::optional<ErrorCode> SaveFile::Prepare() {
  if (target_.File() < 0) return CreateReplacement(nullptr);
  RemoveStrays(target_.Folder(), HiddenPrefix());
  if (!MustWriteInPlace(target_)) {
    if (const std::optional<FileAttributes> attributes = FileAttributes::Capture(target_.File())) {
      if (auto failure = CreateReplacement(&*attributes)) return failure;
      if (replacement_) return std::nullopt;
    }
  }
  return StartInPlace();
}

// Without the replacement where it cannot be given all the target has.
std::optional<ErrorCode> SaveFile::CreateReplacement(const FileAttributes* attributes) {
  std::optional<UnnamedFile> created = UnnamedFile::Create(target_.Folder(), HiddenPrefix());
  if (!created) return ErrorFromErrno(errno);
  replacement_.emplace(std::move(*created));
  if (attributes != nullptr && !attributes->ApplyTo(replacement_->Descriptor().Get())) replacement_.reset();
  return std::nullopt;
}

std::optional<ErrorCode> SaveFile::StartInPlace() {
  std::variant<InPlaceRewrite, ErrorCode> rewrite =
      InPlaceRewrite::Begin(target_.Folder(), target_.Name(), target_.File());
  if (const ErrorCode* failure = std::get_if<ErrorCode>(&rewrite)) return *failure;
  in_place_.emplace(std::move(std::get<InPlaceRewrite>(rewrite)));
  return std::nullopt;
}

std::optional<ErrorCode> SaveFile::Commit() {
  if (in_place_) return in_place_->Commit();
  const int file = replacement_->Descriptor().Get();
  if (deferred_ != nullptr) {
    StartDiskWrite(file);
  } else if (fsync(file) != 0) {
    return ErrorFromErrno(errno);
  }
  if (auto failure = Rename()) return failure;
  if (deferred_ != nullptr) {
    deferred_->Remember(target_.Folder(), target_.Name());
    return std::nullopt;
  }
  // Until the folder reaches the disk the rename may still be undone by a crash.
  if (fsync(target_.Folder()) != 0) return ErrorFromErrno(errno);
  return std::nullopt;
}

// A new file takes its name straight from the nameless one; one that exists
// (or appeared meanwhile) is replaced by a rename from a hidden name of its own.
std::optional<ErrorCode> SaveFile::Rename() {
  const bool existed = target_.File() >= 0;
  if (!existed && replacement_->TakeFreeName(target_.Name())) return std::nullopt;
  if (!existed && errno != EEXIST) return ErrorFromErrno(errno);
  const std::optional<std::string> hidden = replacement_->TakeFreshName();
  if (!hidden) return ErrorFromErrno(errno);
  if (renameat(target_.Folder(), hidden->c_str(), target_.Folder(), target_.Name().c_str()) == 0) return std::nullopt;
  const int error = errno;
  unlinkat(target_.Folder(), hidden->c_str(), 0);
  return ErrorFromErrno(error);
}

// A file that did not exist gets hidden names of another form, which no
// save of the file, holding its lock, takes for a stray.
std::string SaveFile::HiddenPrefix() const {
  return "." + target_.Name() + (target_.File() >= 0 ? ".koravel-new-" : ".koravel-");
}

std::optional<ErrorCode> WriteFile(const std::filesystem::path& path, const SaveFill& fill, DeferredFlush* deferred) {
  std::variant<SaveFile, ErrorCode> save = SaveFile::Begin(path, deferred);
  if (const ErrorCode* refused = std::get_if<ErrorCode>(&save)) return *refused;
  SaveFile& file = std::get<SaveFile>(save);
  if (auto failure = fill(file.Descriptor())) return failure;
  return file.Commit();
}

std::optional<ErrorCode> WriteFileContents(const std::filesystem::path& path, std::string_view contents,
                                           DeferredFlush* deferred) {
  return WriteFile(
      path,
      [contents](int descriptor) {
        return WriteAll(descriptor, contents) ? std::nullopt : std::optional(ErrorFromErrno(errno));
      },
      deferred);
}

void StartDiskWrite(int descriptor) { sync_file_range(descriptor, 0, 0, SYNC_FILE_RANGE_WRITE); }

}  // namespace koravel
