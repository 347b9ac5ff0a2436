#include "core/dem/dem_conversion.h"

#include "core/export/mesh_export.h"
#include "core/io/deferred_flush.h"

namespace koravel {

DemInputReport ConvertDem(const std::vector<std::filesystem::path>& inputs, const std::filesystem::path& output,
                          const DemReadOptions& options, const ProgressReport& progress) {
  const std::optional<ExportFormat> format = ExportFormatOf(output);
  if (!format) return DemInputReport::Failed(ErrorCode::UnsupportedExportFormat);
  std::jthread loading = LoadWriterLibraries(*format);
  DemMosaicResult read = ReadDemMosaic(inputs, options, progress);
  if (!read.Mosaic) return read.Report;
  const DemMosaic& mosaic = *read.Mosaic;
  const ExportRaster raster{mosaic.Columns(), mosaic.Rows(), mosaic.Frame(), {}, EpsgCode(mosaic.Datum()),
                            [&mosaic](int row, std::span<float> metres) { mosaic.FillRow(row, 0, metres); }};
  DeferredFlush flush;
  read.Report.Error = WriteRaster(raster, output, *format, &flush);
  if (!read.Report.Error) read.Report.Error = flush.Flush();
  if (read.Report.Error) read.Report.Placed = 0;
  return read.Report;
}

}  // namespace koravel
