#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/export/mosaic.h"

namespace koravel {

/// Takes `flag` out of `args`; true when it was there.
bool TakeFlag(std::vector<std::string_view>& args, std::string_view flag);

/// Takes `--no-cog`, `--compress deflate|zstd`, `--allow-sparse` and
/// `--allow-large` out of `args`; nullopt for a `--compress` without one of
/// its values.
std::optional<MosaicOptions> TakeMosaicOptions(std::vector<std::string_view>& args);

/// "mosaic: 8000 x 5000 cells, 35.666667 to 37.75 N, 139.625 to 144.625 E,
/// 100% covered" on standard error, `command` first.
void PrintFrame(std::string_view command, const MosaicFrame& frame);

/// The progress bar's label while the grids of `frame` are written:
/// "mosaic 8000 x 5000".
std::string FrameLabel(std::string_view command, const MosaicFrame& frame);

/// Why `output` is not written, on standard error, then where the refusal
/// is for sparseness the name of each grid of `stretching` (by `name`, of
/// its index in the frame's areas).
void PrintRefusal(const std::filesystem::path& output, ErrorCode refusal, const std::vector<std::size_t>& stretching,
                  const std::function<std::string(std::size_t)>& name);

}  // namespace koravel
