#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/dem/dem_mosaic.h"
#include "core/mesh/mesh_document.h"

namespace koravel {

/// Heights of the newer elevation model at the centres of a mesh's cells,
/// taken once, to stand beside the mesh or to fill it.
class ReferenceDem {
 public:
  ReferenceDem(std::vector<std::int32_t> tenths, std::string source);

  /// Tenths of a metre at cell (x, y), x and y in 1..200 as in MeshDocument;
  /// kNoData where the model gives no height.
  std::int32_t Elevation(int x, int y) const {
    return tenths_[static_cast<std::size_t>((y - 1) * kMeshSize + x - 1)];
  }
  /// Every cell's height, 200 × 200 row by row from the north.
  const std::vector<std::int32_t>& Heights() const { return tenths_; }
  /// Where the heights came from, in full-width characters, at most 40:
  /// "基盤地図情報数値標高モデルＤＥＭ５Ａから作成".
  const std::string& Source() const { return source_; }

 private:
  std::vector<std::int32_t> tenths_;  // 200 × 200, row by row from the north
  std::string source_;
};

struct ReferenceDemResult {
  std::optional<ReferenceDem> Reference;
  DemInputReport Report;
};

/// Samples the model that `inputs` name at the centre of every cell of
/// `mesh`: the centre goes from the Tokyo datum to the model's with PROJ
/// (DatumConverter::FromTokyo), and its height is bilinear between the four
/// model points around it, rounded to tenths of a metre, halves to even;
/// kNoData where any of the four has no height or is missing. Only the tiles
/// near the mesh are read; `options.Within` is set here.
ReferenceDemResult SampleReferenceDem(const MeshDocument& mesh, const std::vector<std::filesystem::path>& inputs,
                                      DemReadOptions options, const ProgressReport& progress = {});

/// Fills `mesh` (as NewMesh makes it) with the heights SampleReferenceDem
/// finds: every record present, the extremes as reading the file would find
/// them, and the comment saying where the heights came from. The mesh is
/// left as it was when the report has an Error.
DemInputReport FillMeshFromDem(MeshDocument& mesh, const std::vector<std::filesystem::path>& inputs,
                               const DemReadOptions& options, const ProgressReport& progress = {});

}  // namespace koravel
