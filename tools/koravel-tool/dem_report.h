#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "core/dem/dem_mosaic.h"

namespace koravel {

/// Takes `--sea-zero` out of `args`; true when it was there.
bool TakeSeaZero(std::vector<std::string_view>& args);

/// Names on standard error each file the report left out with its reason,
/// then why nothing came of the inputs, if nothing did, prefixed by
/// `output`: for models of mixed kinds, each kind with its first file.
void PrintDemReport(const DemInputReport& report, const std::filesystem::path& output);

}  // namespace koravel
