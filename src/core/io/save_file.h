#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>
#include <variant>

#include "core/error_code.h"
#include "core/io/deferred_flush.h"
#include "core/io/file_attributes.h"
#include "core/io/in_place_rewrite.h"
#include "core/io/save_target.h"
#include "core/io/unnamed_file.h"

namespace koravel {

/// The one way the program writes a file: saves, exports, mosaics, batches.
/// The new bytes go to an unnamed file in the target's folder, which Commit()
/// flushes and renames over the target, so that a failure or a kill leaves
/// the old file as it was; the file keeps its owner, group, mode, ACL and
/// extended attributes. Where a rename would lose something (other hard
/// links, attributes the user cannot give a new file, a folder the user may
/// not write, a file mounted on its own) the file is rewritten in place
/// behind a flushed copy of its old bytes (InPlaceRewrite). Links, refusals
/// and the lock held for the whole save are SaveTarget's. Without a
/// successful Commit() the target stays as it was.
class SaveFile {
 public:
  /// Gets ready to write `path`. With `deferred`, Commit() leaves flushing
  /// to the disk to deferred->Flush().
  static std::variant<SaveFile, ErrorCode> Begin(const std::filesystem::path& path,
                                                 DeferredFlush* deferred = nullptr);

  /// Where the new contents go, written from offset 0.
  int Descriptor() const;

  /// Makes what was written the file's contents; a failed flush, also of the
  /// folder after the rename, is a failed save.
  std::optional<ErrorCode> Commit();

 private:
  SaveFile(SaveTarget target, DeferredFlush* deferred) : target_(std::move(target)), deferred_(deferred) {}
  std::optional<ErrorCode> Prepare();
  std::optional<ErrorCode> CreateReplacement(const FileAttributes* attributes);
  std::optional<ErrorCode> StartInPlace();
  std::optional<ErrorCode> Rename();
  std::string HiddenPrefix() const;

  SaveTarget target_;
  DeferredFlush* deferred_;
  std::optional<UnnamedFile> replacement_;
  std::optional<InPlaceRewrite> in_place_;
};

/// Writes the whole contents to `descriptor`, which stays open.
using SaveFill = std::function<std::optional<ErrorCode>(int descriptor)>;

/// Saves `path` with what `fill` writes, through a SaveFile.
std::optional<ErrorCode> WriteFile(const std::filesystem::path& path, const SaveFill& fill,
                                   DeferredFlush* deferred = nullptr);

/// Saves `path` with `contents`, through a SaveFile.
std::optional<ErrorCode> WriteFileContents(const std::filesystem::path& path, std::string_view contents,
                                           DeferredFlush* deferred = nullptr);

/// Starts writing what `descriptor` holds so far to the disk and returns at
/// once, so that writing a large file keeps the disk busy beside the
/// processor and the flush at its end has little left to wait for.
void StartDiskWrite(int descriptor);

}  // namespace koravel
