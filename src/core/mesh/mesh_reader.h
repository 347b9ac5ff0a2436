#pragma once

#include <filesystem>
#include <istream>
#include <optional>
#include <vector>

#include "core/error_code.h"
#include "core/mesh/mesh_document.h"

namespace koravel {

/// The outcome of reading a .mem file: a complete document or the reason
/// there is none. Warnings come in reading order; a caller shows them before
/// it reports the error or takes the document.
struct MeshReadResult {
  std::optional<MeshDocument> document;
  std::optional<ErrorCode> error;
  std::vector<Warning> warnings;
};

/// Reads the .mem file at `path` into a new document, which names the file
/// in `MeshFileName`. A file that is not a regular file (a pipe, a device) is
/// refused with NotRegularFile before anything is read from it. Data after
/// the last expected record brings the warning DataAfterLastRecord; whether
/// there is any is all that is looked at.
MeshReadResult ReadMeshFile(const std::filesystem::path& path);

/// Reads the contents of a .mem file from `input`, as ReadMeshFile does.
MeshReadResult ReadMesh(std::istream& input);

}  // namespace koravel
