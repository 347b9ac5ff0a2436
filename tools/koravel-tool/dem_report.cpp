#include "dem_report.h"

#include <algorithm>
#include <iostream>

namespace koravel {

bool TakeSeaZero(std::vector<std::string_view>& args) {
  const auto flag = std::find(args.begin(), args.end(), "--sea-zero");
  if (flag == args.end()) return false;
  args.erase(flag);
  return true;
}

void PrintDemReport(const DemInputReport& report, const std::filesystem::path& output) {
  for (const SkippedInput& input : report.LeftOut) {
    std::cerr << input.Path.string() << ": " << MessageText(input.Reason) << '\n';
  }
  if (!report.Error) return;
  std::cerr << output.string() << ": " << MessageText(*report.Error) << '\n';
  for (const DemKind& kind : report.Kinds) {
    std::cerr << "  " << kind.DataType << " (" << kind.LatitudeStep << "\" x " << kind.LongitudeStep
              << "\", EPSG:" << EpsgCode(kind.Datum) << "): " << kind.Files.front();
    if (kind.Files.size() > 1) std::cerr << " and " << kind.Files.size() - 1 << " more";
    std::cerr << '\n';
  }
}

}  // namespace koravel
