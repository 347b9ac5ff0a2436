#pragma once

#include <filesystem>
#include <istream>
#include <optional>
#include <vector>

#include "core/error_code.h"
#include "core/mesh/mesh_document.h"
#include "core/tracks/track_set.h"

namespace koravel {

/// What loading a track file did. Warnings come in reading order, before the
/// error that stopped it, if any. The views draw the tracks only when the
/// file was read to its end or the set was filled.
struct TrackReadResult {
  std::vector<Warning> warnings;
  std::optional<ErrorCode> error;
  bool draw = false;
  /// Whether any point placed lies on the mesh: a track recorded elsewhere
  /// draws nothing the user could see.
  bool reaches_mesh = false;
};

/// Appends the tracks of a .trk file (PCX5 text as GPS tools write it) or,
/// for a name ending in ".gpx" in any case, a GPX file to `tracks`, placed on
/// the grid of `mesh`. Segments stored before a stop stay. A file that cannot
/// be opened or read ends the load with FileError, one that is not a regular
/// file (a pipe, a device) with NotRegularFile before anything is read from
/// it; a record over 64 KiB, a number that overflows, or a .trk file without
/// a single record of the format (an empty file, a text of something else)
/// with NotTrackFile. Memory use does not grow with the file.
TrackReadResult ReadTrackFile(const std::filesystem::path& path, const MeshDocument& mesh,
                              TrackSet& tracks);

/// The same from a stream.
TrackReadResult ReadTracks(std::istream& input, const MeshDocument& mesh, TrackSet& tracks);

}  // namespace koravel
