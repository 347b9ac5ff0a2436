#include "core/io/unnamed_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <utility>

namespace koravel {
namespace {

constexpr int kNameAttempts = 100;

std::string FreshName(std::string_view prefix) {
  static constexpr std::string_view kLetters =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device random;
  std::string name(prefix);
  for (std::size_t i = 0; i < UnnamedFile::kRandomLength; ++i) name += kLetters[random() % kLetters.size()];
  return name;
}

// Hands the name of the new file back through `name`.
int CreateNamed(int folder, std::string_view prefix, std::string& name) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    name = FreshName(prefix);
    const int descriptor = openat(folder, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor >= 0 || errno != EEXIST) return descriptor;
  }
  return -1;
}

}  // namespace

std::optional<UnnamedFile> UnnamedFile::Create(int folder, std::string_view prefix) {
  const int descriptor = openat(folder, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
  if (descriptor >= 0) return UnnamedFile(folder, prefix, FileDescriptor(descriptor), "");
  if (errno != EOPNOTSUPP && errno != EISDIR) return std::nullopt;
  std::string name;
  const int named = CreateNamed(folder, prefix, name);
  if (named < 0) return std::nullopt;
  return UnnamedFile(folder, prefix, FileDescriptor(named), std::move(name));
}

UnnamedFile::UnnamedFile(int folder, std::string_view prefix, FileDescriptor file,
                         std::string provisional_name)
    : folder_(folder),
      prefix_(prefix),
      file_(std::move(file)),
      provisional_name_(std::move(provisional_name)) {}

UnnamedFile::UnnamedFile(UnnamedFile&& other) noexcept
    : folder_(other.folder_),
      prefix_(std::move(other.prefix_)),
      file_(std::move(other.file_)),
      provisional_name_(std::exchange(other.provisional_name_, "")) {}

UnnamedFile::~UnnamedFile() {
  if (!provisional_name_.empty()) unlinkat(folder_, provisional_name_.c_str(), 0);
}

std::optional<std::string> UnnamedFile::TakeFreshName() {
  if (!provisional_name_.empty()) return std::exchange(provisional_name_, "");
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string name = FreshName(prefix_);
    if (Link(name)) return name;
    if (errno != EEXIST) return std::nullopt;
  }
  return std::nullopt;
}

bool UnnamedFile::TakeFreeName(const std::string& name) {
  if (provisional_name_.empty()) return Link(name);
  if (renameat2(folder_, provisional_name_.c_str(), folder_, name.c_str(), RENAME_NOREPLACE) != 0) return false;
  provisional_name_.clear();
  return true;
}

// An unnamed file is linked into its folder through its entry in /proc.
bool UnnamedFile::Link(const std::string& name) const {
  const std::string self = "/proc/self/fd/" + std::to_string(file_.Get());
  return linkat(AT_FDCWD, self.c_str(), folder_, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

}  // namespace koravel
