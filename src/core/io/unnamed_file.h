#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/io/file_descriptor.h"

namespace koravel {

/// A new file in a folder that gets a name only once it is complete, so that
/// a process killed while writing it leaves nothing behind. Where the file
/// system cannot make unnamed files it is named at once and removed again
/// unless it was given its name.
class UnnamedFile {
 public:
  /// Random characters after the prefix in the names it takes.
  static constexpr std::size_t kRandomLength = 6;

  /// Creates it in the open folder `folder` with the mode a new file gets
  /// there (umask, default ACL), to be named `prefix` + kRandomLength
  /// random characters; nullopt with errno set on failure.
  static std::optional<UnnamedFile> Create(int folder, std::string_view prefix);
  UnnamedFile(UnnamedFile&& other) noexcept;
  UnnamedFile& operator=(UnnamedFile&&) = delete;
  ~UnnamedFile();

  const FileDescriptor& Descriptor() const { return file_; }

  /// Gives it a name of its own, `prefix` + random characters, never
  /// one that exists. Returns the name, which the caller then owns; nullopt
  /// with errno set on failure.
  std::optional<std::string> TakeFreshName();
  /// Gives it the name `name` unless that exists; false with errno set
  /// (EEXIST where it does) otherwise.
  bool TakeFreeName(const std::string& name);

 private:
  bool Link(const std::string& name) const;

  UnnamedFile(int folder, std::string_view prefix, FileDescriptor file, std::string provisional_name);

  int folder_;
  std::string prefix_;
  FileDescriptor file_;
  std::string provisional_name_;
};

}  // namespace koravel
