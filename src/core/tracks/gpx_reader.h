#pragma once

#include <filesystem>
#include <istream>

#include "core/mesh/mesh_document.h"
#include "core/tracks/track_reader.h"
#include "core/tracks/track_set.h"

namespace koravel {

/// Appends the tracks of a GPX 1.0 or 1.1 file to `tracks`, placed on the
/// grid of `mesh`: each track segment and each route is a piece, waypoints are
/// not drawn. Points are on WGS 84 and converted to the Tokyo datum; a
/// point's `<ele>` (metres, a decimal number) is kept as its height in the
/// set's points, and a height that is no number leaves it without one. A file
/// that is not well-formed GPX, or whose elements nest deeper than any GPX
/// does, ends with NotTrackFile, keeping the segments stored before it. Reads
/// in blocks, with memory bounded whatever the file. ReadTrackFile opens the
/// file for it.
TrackReadResult ReadGpx(std::istream& input, const MeshDocument& mesh, TrackSet& tracks);

/// Whether `path` names a GPX file: its extension is ".gpx" in any case.
bool IsGpxPath(const std::filesystem::path& path);

}  // namespace koravel
