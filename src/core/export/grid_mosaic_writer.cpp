#include "core/export/grid_mosaic_writer.h"

#include <algorithm>
#include <type_traits>

#include "core/dem/dem_tile.h"
#include "core/export/cog_writer.h"
#include "core/export/export_raster.h"
#include "core/io/file_probe.h"
#include "core/io/save_file.h"

namespace koravel {
namespace {

template <typename Cell>
constexpr Cell kNoDataCell = std::is_same_v<Cell, float> ? Cell(kDemNoData) : Cell(kNoData);

// Each row is prepared, filled and released on its own, so a grid is read
// at its first row and let go after its last.
template <typename Cell>
void FillLine(GridMosaic<Cell>& cells, int columns, int row, std::span<Cell> line) {
  const CellArea area = {0, row, columns, 1};
  cells.Prepare(area);
  cells.Fill(area, line);
  cells.Release(area);
}

ExportRaster RowsOf(GridMosaic<std::int32_t>& cells, const MosaicFrame& frame, int epsg) {
  const int columns = static_cast<int>(frame.Columns);
  return {columns, static_cast<int>(frame.Rows), frame.Edges,
          [&cells, columns](int row, std::span<std::int32_t> tenths) { FillLine(cells, columns, row, tenths); }, epsg};
}

ExportRaster RowsOf(GridMosaic<float>& cells, const MosaicFrame& frame, int epsg) {
  const int columns = static_cast<int>(frame.Columns);
  return {columns, static_cast<int>(frame.Rows), frame.Edges, {}, epsg,
          [&cells, columns](int row, std::span<float> metres) { FillLine(cells, columns, row, metres); }};
}

void FillMetres(const GridMosaic<std::int32_t>& cells, const CellArea& area, std::span<float> metres) {
  std::vector<std::int32_t> tenths(area.CellCount());
  cells.Fill(area, tenths);
  std::transform(tenths.begin(), tenths.end(), metres.begin(), MetresOf);
}

void FillMetres(const GridMosaic<float>& cells, const CellArea& area, std::span<float> metres) {
  cells.Fill(area, metres);
}

template <typename Cell>
TiledRaster TilesOf(GridMosaic<Cell>& cells, const MosaicFrame& frame, int epsg) {
  return {static_cast<int>(frame.Columns),
          static_cast<int>(frame.Rows),
          frame.Edges,
          epsg,
          [&cells](const CellArea& parts) { cells.Prepare(parts); },
          [&cells](const CellArea& area, std::span<float> metres) { FillMetres(cells, area, metres); },
          [&cells](const CellArea& parts) { cells.Release(parts); }};
}

}  // namespace

template <typename Cell>
std::optional<ErrorCode> WriteGridMosaic(const MosaicFrame& frame, int epsg, typename GridMosaic<Cell>::Loader load,
                                         const std::filesystem::path& output, ExportFormat format,
                                         const MosaicOptions& options, const ProgressReport& progress) {
  const bool tiled = format == ExportFormat::GeoTiff && options.CloudOptimized;
  GridMosaic<Cell> cells(frame.Areas, kNoDataCell<Cell>, std::move(load),
                         tiled ? kTileSize : static_cast<int>(frame.Columns), tiled ? kTileSize : 1, progress);
  DeferredFlush flush;
  std::optional<ErrorCode> failure;
  if (tiled) {
    const TiledRaster raster = TilesOf(cells, frame, epsg);
    failure = WriteFile(
        output,
        [&](int descriptor) {
          return WriteCloudOptimizedGeoTiff(descriptor, raster, options.Compression, FolderOf(output));
        },
        &flush);
  } else {
    failure = WriteRaster(RowsOf(cells, frame, epsg), output, format, &flush);
  }
  return failure ? failure : flush.Flush();
}

template std::optional<ErrorCode> WriteGridMosaic<std::int32_t>(const MosaicFrame&, int,
                                                                GridMosaic<std::int32_t>::Loader,
                                                                const std::filesystem::path&, ExportFormat,
                                                                const MosaicOptions&, const ProgressReport&);
template std::optional<ErrorCode> WriteGridMosaic<float>(const MosaicFrame&, int, GridMosaic<float>::Loader,
                                                         const std::filesystem::path&, ExportFormat,
                                                         const MosaicOptions&, const ProgressReport&);

}  // namespace koravel
