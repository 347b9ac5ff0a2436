#pragma once

#include <string_view>
#include <vector>

namespace koravel {

/// `export --to FOLDER [--format asc|tif] INPUT...`; returns the exit status,
/// 2 for wrong arguments.
int RunBatchExport(const std::vector<std::string_view>& args);

/// `mosaic OUT.tif|OUT.asc INPUT... [--no-cog] [--compress deflate|zstd]
/// [--allow-sparse] [--allow-large]`; returns the exit status, 2 for wrong
/// arguments.
int RunMosaic(std::vector<std::string_view> args);

}  // namespace koravel
