#include "core/dem/dem_conversion.h"

#include "core/io/file_probe.h"

namespace koravel {
namespace {

MosaicFrame FrameOf(const DemMosaic& mosaic) {
  std::vector<GridPosition> positions;
  for (const CellArea& area : mosaic.Areas()) positions.push_back({area.Column, area.Row, area.Columns, area.Rows});
  return FrameAround(positions, mosaic.Frame());
}

// Reads a tile's heights back from where they were spilled.
GridMosaic<float>::Loader SpillReader(const MosaicFrame& frame, const DemMosaic& mosaic, const ScratchFile& spill) {
  return [&frame, &mosaic, &spill](std::size_t tile) -> std::optional<std::vector<float>> {
    std::vector<float> heights(frame.Areas[tile].CellCount());
    const std::span<char> bytes(reinterpret_cast<char*>(heights.data()), heights.size() * sizeof(float));
    if (!spill.Read(mosaic.SpilledAt(tile), bytes)) return std::nullopt;
    return heights;
  };
}

}  // namespace

DemInputReport ConvertDem(const std::vector<std::filesystem::path>& inputs, const std::filesystem::path& output,
                          const DemReadOptions& options, const MosaicOptions& mosaic,
                          const std::function<void(const MosaicFrame&)>& frame_ready,
                          const ProgressReport& progress) {
  const std::optional<ExportFormat> format = ExportFormatOf(output);
  if (!format) return DemInputReport::Failed(ErrorCode::UnsupportedExportFormat);
  std::optional<ScratchFile> spill = ScratchFile::Create(FolderOf(output));
  if (!spill) return DemInputReport::Failed(ErrorCode::FileError);
  std::jthread loading = LoadWriterLibraries(*format);
  DemMosaicResult read = ReadDemMosaic(inputs, options, progress, &*spill);
  if (!read.Mosaic) return read.Report;
  const DemMosaic& tiles = *read.Mosaic;
  const MosaicFrame frame = FrameOf(tiles);
  if (frame_ready) frame_ready(frame);
  DemInputReport& report = read.Report;
  report.Error = frame.Refusal(*format == ExportFormat::AsciiGrid, mosaic.Limits);
  for (const std::size_t tile : frame.Stretching) report.Stretching.push_back(tiles.NameAt(tile));
  if (!report.Error) {
    report.Error = WriteGridMosaic<float>(frame, EpsgCode(tiles.Datum()), SpillReader(frame, tiles, *spill), output, *format,
                                          mosaic, progress);
  }
  if (report.Error) report.Placed = 0;
  return report;
}

}  // namespace koravel
