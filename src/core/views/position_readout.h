#pragma once

#include <string>

#include "core/edit/edit_mode.h"
#include "core/geo/mesh_georeference.h"
#include "core/geo/path_measure.h"
#include "core/mesh/mesh_document.h"

namespace koravel {

/// The record position of a cell as the status bar shows it, column first:
/// "レコード位置 : 012 , 200".
std::string RecordPositionText(int column, int row);

/// The latitude and longitude of a cell's south-west corner as the status
/// bar shows them: "緯度 : 35°44' 58.5" , 経度 : 139°30' 00.00"". Row 200
/// lies on the mesh's south edge and column 1 on its west edge.
std::string LatitudeLongitudeText(const MeshDocument& document, int column, int row);

/// The edit mode as the status bar names it: "点編集モード", "筆モード", "範囲選択モード".
std::string ModeText(EditMode mode);

/// The number of cells chosen, as the status bar shows it: "選択 : 1200 セル";
/// empty when none is.
std::string SelectionText(int cells);

/// What lies under the pointer at `point` (grid frame of track positions),
/// on three lines: its cell's record position, the cell's value with the
/// height interpolated at the point itself where there is one, and the
/// point's latitude and longitude: "ポインタ レコード位置 : 004 , 005",
/// "標高 : 125.8 (補間 125.3)", "緯度 : 35°44' 51.2" , 経度 : 139°37' 40.12"".
std::string PointerText(const MeshDocument& mesh, GridPoint point);

/// A measured path as the status bar shows it: each leg, the total, and the
/// area the path closes: "距離 : 456 m + 778 m = 1.234 km、面積 : 0.012 km²".
std::string MeasureText(const PathMeasure& measure);

}  // namespace koravel
