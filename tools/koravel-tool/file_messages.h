#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "core/error_code.h"
#include "core/mesh/mesh_document.h"

namespace koravel {

/// Prints "FILE: message" for each warning on standard error, the name as
/// PrintablePath shows it.
void PrintWarnings(const std::filesystem::path& file, const std::vector<Warning>& warnings);

/// Prints "FILE: message" for `error` on standard error; returns the exit
/// status of a command that failed on a file, 1.
int FailOn(const std::filesystem::path& file, ErrorCode error);

/// The mesh at `path`, its warnings printed; nothing, its error printed,
/// when it does not read.
std::optional<MeshDocument> ReadMeshPrintingMessages(const std::filesystem::path& path);

}  // namespace koravel
