#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <variant>

#include "core/error_code.h"
#include "core/mesh/mesh_document.h"

namespace koravel {

/// The bytes of `document` in the .mem layout: one header line and one data
/// line per present row, each ended by CR LF. Fails with UnencodableText when
/// a text holds a character that CP932 cannot encode, and with FieldOverflow
/// when a number does not fit its field (a value outside −9999..99999).
std::variant<std::string, ErrorCode> FormatMeshFile(const MeshDocument& document);

/// Writes `document` to `path` in the .mem layout. On failure the file on
/// disk is left exactly as it was.
std::optional<ErrorCode> WriteMeshFile(const MeshDocument& document,
                                       const std::filesystem::path& path);

}  // namespace koravel
