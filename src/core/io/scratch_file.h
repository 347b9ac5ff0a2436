#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string_view>

#include "core/io/file_descriptor.h"
#include "core/io/unnamed_file.h"

namespace koravel {

/// A file for data on its way through a command (tiles waiting for their
/// place in the file being written, grids read ahead of their use), so
/// that it need not sit in memory. It never gets a name and goes with the
/// object, or with the process if that is killed.
class ScratchFile {
 public:
  /// One in `folder`, or in the system's temporary folder where `folder`
  /// takes no new files; nullopt where neither does.
  static std::optional<ScratchFile> Create(const std::filesystem::path& folder);

  /// Appends `bytes` at the end; where they start, or nullopt on failure.
  /// Safe to call from several threads at once.
  std::optional<std::uint64_t> Append(std::string_view bytes);
  /// Reads `into.size()` bytes from `offset`; false on failure.
  bool Read(std::uint64_t offset, std::span<char> into) const;

 private:
  static std::optional<ScratchFile> CreateIn(const std::filesystem::path& folder);
  ScratchFile(FileDescriptor folder, UnnamedFile file) : folder_(std::move(folder)), file_(std::move(file)) {}

  FileDescriptor folder_;  // kept open for the file's provisional name, where it has one
  UnnamedFile file_;
  std::unique_ptr<std::mutex> end_mutex_ = std::make_unique<std::mutex>();
  std::uint64_t end_ = 0;
};

}  // namespace koravel
