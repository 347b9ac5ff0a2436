#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "core/dem/fgd_dem_reader.h"
#include "core/error_code.h"

struct zip;

namespace koravel {

struct ZipLibrary;

/// Where the bytes of a zip archive are: a file, or memory, for an archive
/// that came out of another.
struct ZipOrigin {
  std::filesystem::path File;
  std::shared_ptr<const std::string> Bytes;  ///< used when set
};

/// A zip archive open for reading through libzip, without unpacking it
/// anywhere. One object serves one thread; open one per thread.
class ZipArchive {
 public:
  /// The archive, or why it cannot be read: ZipLibraryMissing, BrokenArchive,
  /// or the file's own error.
  static std::variant<ZipArchive, ErrorCode> Open(const ZipOrigin& origin);
  ZipArchive(ZipArchive&& other) noexcept;
  ZipArchive& operator=(ZipArchive&&) = delete;
  ~ZipArchive();

  std::uint64_t EntryCount() const;
  /// The name of entry `index` as stored, folders separated by '/'.
  std::string EntryName(std::uint64_t index) const;
  /// Hands `consume` a reader of entry `index`, inflated as it is read; a
  /// damaged entry fails as it is read. False when the entry cannot be opened.
  bool ReadEntry(std::uint64_t index, const std::function<void(const ByteReader&)>& consume) const;
  /// The whole of entry `index`; nothing when it is damaged.
  std::optional<std::string> EntryBytes(std::uint64_t index) const;

 private:
  ZipArchive(const ZipLibrary& library, zip* archive, std::shared_ptr<const std::string> bytes);

  const ZipLibrary* library_;
  zip* archive_;
  std::shared_ptr<const std::string> bytes_;  // kept while the archive reads them
};

}  // namespace koravel
