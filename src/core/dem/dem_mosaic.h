#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/dem/fgd_dem_reader.h"
#include "core/error_code.h"
#include "core/export/mesh_inputs.h"
#include "core/export/parallel_for_each.h"
#include "core/geo/mesh_georeference.h"

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

  /// Fills `metres` with row `row` (0 at the north) from column
  /// `first_column` (0 at the west) on, kDemNoData where no tile has a
  /// height; where tiles overlap, the later one's heights win.
  void FillRow(int row, int first_column, std::span<float> metres) const;

 private:
  struct PlacedTile {
    int Column = 0, Row = 0;  // of its north-west point on the grid
    DemTile Tile;
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
DemMosaicResult ReadDemMosaic(const std::vector<std::filesystem::path>& inputs, const DemReadOptions& options,
                              const ProgressReport& progress = {});

}  // namespace koravel
