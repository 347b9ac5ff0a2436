#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/dem/fgd_dem_reader.h"
#include "core/error_code.h"
#include "core/export/cell_area.h"
#include "core/export/mesh_inputs.h"
#include "core/export/parallel_for_each.h"
#include "core/geo/mesh_georeference.h"
#include "core/io/scratch_file.h"

namespace koravel {

/// Tiles of the same kind that can share one grid: their cell size and datum.
struct DemKind {
  double LatitudeStep = 0;   ///< arc-seconds per row
  double LongitudeStep = 0;  ///< arc-seconds per column
  JapaneseDatum Datum = JapaneseDatum::Jgd2011;
  std::string DataType;            ///< of the first tile of the kind
  std::vector<std::string> Files;  ///< every file of the kind, in the order read
};

/// Tiles of the newer elevation model placed by their envelopes on one grid,
/// each kept as read; the grid is never held whole.
class DemMosaic {
 public:
  struct NamedTile {
    std::string Name;
    DemTile Tile;
    std::uint64_t Spilled = 0;  ///< where its heights are in the spill file, when they were spilled
  };

  /// Places `tiles`, all of one kind, on the grid of the first, moved so
  /// that the grid starts at the north-west of them all. A tile off that
  /// grid goes to `left_out` (DemOffGrid).
  DemMosaic(std::vector<NamedTile> tiles, std::vector<SkippedInput>& left_out);

  int Columns() const { return columns_; }
  int Rows() const { return rows_; }
  /// The edges and the cell size in arc-seconds, on Datum().
  const MeshGeoreference& Frame() const { return frame_; }
  JapaneseDatum Datum() const { return datum_; }
  /// The data types of the tiles placed, in the order first met.
  const std::vector<std::string>& DataTypes() const { return data_types_; }
  std::size_t TileCount() const { return tiles_.size(); }
  /// Each tile's area on the grid, in the order placed.
  std::vector<CellArea> Areas() const;
  /// The name and the spill offset of the tile placed `index`th.
  const std::string& NameAt(std::size_t index) const { return tiles_[index].Name; }
  std::uint64_t SpilledAt(std::size_t index) const { return tiles_[index].Spilled; }

  /// Fills `metres` with row `row` (0 at the north) from column
  /// `first_column` (0 at the west) on, kDemNoData where no tile has a
  /// height; where tiles overlap, the later one's heights win.
  void FillRow(int row, int first_column, std::span<float> metres) const;

 private:
  struct PlacedTile {
    int Column = 0, Row = 0;  // of its north-west point on the grid
    DemTile Tile;
    std::string Name;
    std::uint64_t Spilled = 0;
  };

  std::vector<PlacedTile> tiles_;
  int columns_ = 0, rows_ = 0;
  MeshGeoreference frame_;
  JapaneseDatum datum_;
  std::vector<std::string> data_types_;
};

/// What became of the model files that some inputs name.
struct DemInputReport {
  std::size_t Found = 0;              ///< model files found among the inputs
  std::size_t Placed = 0;             ///< tiles placed in the mosaic
  std::vector<SkippedInput> LeftOut;  ///< in the order met
  std::vector<DemKind> Kinds;         ///< every kind met, when they are mixed
  std::vector<std::string> Stretching;  ///< the tiles that stretch a frame refused as sparse
  std::optional<ErrorCode> Error;     ///< why nothing came of them

  static DemInputReport Failed(ErrorCode error) {
    DemInputReport report;
    report.Error = error;
    return report;
  }
};

struct DemMosaicResult {
  std::optional<DemMosaic> Mosaic;
  DemInputReport Report;
};

/// Reads the model files that `inputs` name (as VisitDemSources finds them)
/// over all cores and places them in one DemMosaic. Tiles of more than one
/// cell size or datum are refused together (DemKindsMixed, with `Kinds`);
/// files that cannot be read are left out; tiles outside `options.Within`
/// are passed over. `progress` counts the files read of those found so far.
/// With `spill`, each tile's heights go there as soon as they are read
/// (Float32, row by row) and the tiles keep only their envelopes, so that
/// memory never holds them all.
DemMosaicResult ReadDemMosaic(const std::vector<std::filesystem::path>& inputs, const DemReadOptions& options,
                              const ProgressReport& progress = {}, ScratchFile* spill = nullptr);

}  // namespace koravel
