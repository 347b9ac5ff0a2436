#pragma once

#include <filesystem>
#include <optional>

#include "core/error_code.h"

namespace koravel::test {

/// The two ways the program writes a file, both through its one writer.
enum class Output { Save, Export };

inline constexpr std::size_t kVersionBytes = 200'000;

/// Writes version `letter` of a file to `target` as `kind` does: a save
/// writes kVersionBytes of the letter, an export the GeoTIFF of a mesh whose
/// cells all hold the letter's code.
std::optional<ErrorCode> WriteVersion(Output kind, const std::filesystem::path& target, char letter);

}  // namespace koravel::test
