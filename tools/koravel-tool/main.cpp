// koravel-tool: the command-line front of the core library. It reads, checks,
// copies and exports .mem files and places GPS tracks on them, with the same
// rules and messages as the window.

#include <malloc.h>

#include <algorithm>
#include <charconv>
#include <iostream>
#include <string_view>
#include <vector>

#include "check_command.h"
#include "contour_command.h"
#include "core/export/mesh_export.h"
#include "core/geo/datum_converter.h"
#include "core/mesh/mesh_reader.h"
#include "core/mesh/mesh_writer.h"
#include "core/tracks/track_reader.h"
#include "dem_command.h"
#include "export_commands.h"
#include "fill_command.h"
#include "mesh_summary.h"
#include "new_command.h"
#include "printable_path.h"
#include "profile_command.h"

namespace {

using namespace koravel;

constexpr int kFailure = 1;
constexpr int kUsageError = 2;
constexpr int kLargestHeapBlock = 32 << 20;

constexpr std::string_view kUsage =
    "usage: koravel-tool COMMAND ARGUMENTS\n"
    "       koravel-tool --version\n"
    "\n"
    "  info FILE.mem [--json]   print the header, corners, sheets, record flags,\n"
    "                           elevation extremes and warnings of a mesh file\n"
    "  copy IN.mem OUT.mem      read a mesh file and write it again\n"
    "  export IN.mem OUT.asc    write the grid as an ESRI ASCII grid in degrees\n"
    "                           (metres, NODATA -999.9) with OUT.prj on the Tokyo datum\n"
    "  export IN.mem OUT.tif    write the grid as a GeoTIFF (Float32 metres, no-data\n"
    "                           -9999, EPSG:4301); .tiff works as well\n"
    "  export --to FOLDER [--format asc|tif] INPUT...\n"
    "                           export many meshes at once, each named after its file;\n"
    "                           a folder given as INPUT stands for its .mem files\n"
    "  mosaic OUT.tif|OUT.asc INPUT... [--no-cog] [--compress deflate|zstd]\n"
    "         [--allow-sparse] [--allow-large]\n"
    "                           place neighbouring meshes by their corners into one grid;\n"
    "                           a GeoTIFF is cloud-optimised (tiles of 512, DEFLATE or\n"
    "                           ZSTD, overviews) unless --no-cog asks for plain strips;\n"
    "                           the frame is reported first, and refused where the meshes\n"
    "                           cover less than 1% of it (--allow-sparse) or it is wider\n"
    "                           than 52,000 or taller than 63,000 cells (--allow-large)\n"
    "  new CODE OUT.mem         write an empty mesh (every cell without data) for the\n"
    "                           six-digit mesh code, its corners on the Tokyo datum\n"
    "  new CODE OUT.mem --from INPUT... [--sea-zero]\n"
    "                           the same with heights from the newer elevation model\n"
    "                           (基盤地図情報 数値標高モデル) at each cell's centre\n"
    "  dem OUT.tif|OUT.asc INPUT... [--sea-zero] [mosaic's options]\n"
    "                           convert the newer elevation model's FG-GML XML files\n"
    "                           into one grid (Float32 metres, no-data -9999) on their\n"
    "                           datum; INPUT is a file, a folder or a zip archive, and\n"
    "                           --sea-zero puts sea at 0 m instead of no data\n"
    "  tracks FILE.mem TRACK    print the segments of a .trk or .gpx track placed on\n"
    "                           the mesh's grid, one 'x1 y1 x2 y2' line each, in grid\n"
    "                           cells, each number exactly as stored\n"
    "  check [--json] [--spike METRES] [--hole-cells N] FILE.mem...\n"
    "                           list spikes, pits, holes of up to N cells (400),\n"
    "                           seams with neighbouring meshes in the same folder\n"
    "                           and omitted records, one 'FILE: KIND COLUMN ROW detail'\n"
    "                           line each; METRES (50) is how far a cell may stand\n"
    "                           from its neighbours; exit status 1 when anything is found\n"
    "  fill [--hole-cells N] IN.mem OUT.mem\n"
    "                           fill every hole of up to N cells (400) with the smooth\n"
    "                           surface through its border and write the mesh\n"
    "  profile FILE.mem TRACK [--step METRES] [--summary]\n"
    "                           print the heights along each piece of a .trk or .gpx\n"
    "                           track as CSV 'distance_m,latitude,longitude,mesh_m,gps_m'\n"
    "                           (degrees on the Tokyo datum), a row at every point and\n"
    "                           every METRES (50) between them over the mesh; --summary\n"
    "                           prints length, lowest and highest point, ascent and\n"
    "                           descent and the GPS heights' mean difference instead\n"
    "  contour IN.mem OUT --interval M [--base B] [--crs EPSG:N]\n"
    "                           write the contour lines at B (0) + k M metres as GeoJSON\n"
    "                           (.geojson, WGS 84), GeoPackage (.gpkg) or DXF (.dxf, at\n"
    "                           their height), each with its 'elevation'; .gpkg and .dxf\n"
    "                           take WGS 84 degrees, or N's coordinates (EPSG:6677)\n"
    "  --version                the program's version and its datum conversion\n"
    "\n"
    "A file that cannot be read or written ends the command with the program's\n"
    "own message on standard error and exit status 1; wrong arguments give\n"
    "exit status 2. Batch export, mosaic, dem and new --from name each file they\n"
    "leave out and each folder they cannot read, go on with the others, end with\n"
    "a summary line, and exit with 1 if any was left out. An ASCII grid of more\n"
    "than 2 GB is refused: write the GeoTIFF.\n";

int UsageError() {
  std::cerr << kUsage;
  return kUsageError;
}

int Fail(ErrorCode error) {
  std::cerr << MessageText(error) << '\n';
  return kFailure;
}

// Reads a mesh, reporting warnings on standard error unless the caller
// prints them itself.
std::optional<MeshDocument> Read(const char* path, std::vector<Warning>& warnings) {
  MeshReadResult result = ReadMeshFile(path);
  warnings = result.warnings;
  if (result.error) {
    for (Warning warning : warnings) std::cerr << MessageText(warning) << '\n';
    Fail(*result.error);
  }
  return std::move(result.document);
}

int Info(std::vector<std::string_view> args) {
  const auto json_flag = std::find(args.begin(), args.end(), "--json");
  const bool json = json_flag != args.end();
  if (json) args.erase(json_flag);
  if (args.size() != 1) return UsageError();
  std::vector<Warning> warnings;
  const std::optional<MeshDocument> document = Read(args[0].data(), warnings);
  if (!document) return kFailure;
  if (json) {
    PrintMeshSummaryJson(*document, warnings, std::cout);
  } else {
    PrintMeshSummary(*document, warnings, std::cout);
  }
  return 0;
}

template <typename Writer>
int Convert(const std::vector<std::string_view>& args, Writer write) {
  if (args.size() != 2) return UsageError();
  std::vector<Warning> warnings;
  const std::optional<MeshDocument> document = Read(args[0].data(), warnings);
  if (!document) return kFailure;
  for (Warning warning : warnings) std::cerr << MessageText(warning) << '\n';
  if (const std::optional<ErrorCode> failure = write(*document, args[1].data())) return Fail(*failure);
  return 0;
}

// The shortest text that reads back as the same double.
void PrintExactly(double value, char after) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  std::cout.write(text, result.ptr - text).put(after);
}

int Version() {
  std::cout << "koravel-tool " << KORAVEL_VERSION << '\n';
  std::cout << "datum conversion: " << PrintablePath(DescribeDatumConversion(DatumConverter())) << '\n';
  return 0;
}

// Prints the segments stored before any stop; the reader's messages go to
// standard error, and a stop that is an error fails the command.
int Tracks(const std::vector<std::string_view>& args) {
  if (args.size() != 2) return UsageError();
  std::vector<Warning> warnings;
  const std::optional<MeshDocument> mesh = Read(args[0].data(), warnings);
  if (!mesh) return kFailure;
  for (Warning warning : warnings) std::cerr << MessageText(warning) << '\n';
  TrackSet tracks;
  const TrackReadResult result = ReadTrackFile(args[1].data(), *mesh, tracks);
  for (const TrackSegment& s : tracks.Segments()) {
    PrintExactly(s.X1, ' ');
    PrintExactly(s.Y1, ' ');
    PrintExactly(s.X2, ' ');
    PrintExactly(s.Y2, '\n');
  }
  for (Warning warning : result.warnings) std::cerr << MessageText(warning) << '\n';
  if (result.error) return Fail(*result.error);
  return 0;
}

// Wrong arguments show the usage as well.
int Status(int status) { return status == kUsageError ? UsageError() : status; }

}  // namespace

int main(int argc, char** argv) {
  // Mosaics take and give back blocks the size of a tile by the thousand;
  // kept in the heap they are used again rather than mapped afresh each time.
  mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
  mallopt(M_TRIM_THRESHOLD, kLargestHeapBlock);
  if (argc < 2) return UsageError();
  const std::string_view command = argv[1];
  const std::vector<std::string_view> args(argv + 2, argv + argc);
  if (command == "--help" || command == "-h") {
    std::cout << kUsage;
    return 0;
  }
  if (command == "--version") return Version();
  if (command == "info") return Info(args);
  if (command == "copy") return Convert(args, WriteMeshFile);
  if (command == "export" && !args.empty() && args[0] == "--to") return Status(RunBatchExport(args));
  if (command == "export") return Convert(args, ExportMesh);
  if (command == "mosaic") return Status(RunMosaic(args));
  if (command == "tracks") return Tracks(args);
  if (command == "check") return Status(RunCheck(args));
  if (command == "fill") return Status(RunFill(args));
  if (command == "new") return RunNew(args);
  if (command == "dem") return Status(RunDem(args));
  if (command == "profile") return Status(RunProfile(args));
  if (command == "contour") return Status(RunContour(args));
  return UsageError();
}
