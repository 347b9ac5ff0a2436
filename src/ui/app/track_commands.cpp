#include "ui/app/track_commands.h"

#include "core/tracks/track_reader.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_bridge.h"
#include "ui/document/document.h"
#include "ui/document/editing_session.h"

namespace koravel {
namespace {

const QStringList kTrackFilters = {QStringLiteral("ﾄﾗｯｸﾌｧｲﾙ (*.trk *.gpx)"), QStringLiteral("GPSﾄﾗｯｸﾌｧｲﾙ (*.trk)"),
                                   QStringLiteral("GPXﾌｧｲﾙ (*.gpx)")};
const QString kTrackMissesMesh = QStringLiteral("トラックにはメッシュの範囲内の点がありません。");

}  // namespace

void TrackCommands::Open() {
  const std::optional<OpenChoice> choice = dialogs_.OpenFile(QStringLiteral("ﾄﾗｯｸ開く"), kTrackFilters, false);
  if (choice && !choice->path.isEmpty()) Load(choice->path);
}

void TrackCommands::Load(const QString& path) {
  if (!document_.IsOpen()) return;
  TrackSet tracks = session_.Tracks();
  const TrackReadResult result = ReadTrackFile(LocalPath(path), document_.Mesh(), tracks);
  for (Warning warning : result.warnings) dialogs_.ShowFileMessage(Message(warning), path);
  if (result.error) dialogs_.ShowFileMessage(Message(*result.error), path);
  if (!result.draw) return;
  session_.SetTracks(std::move(tracks));
  dialogs_.RememberFolder(path);
  if (!result.reaches_mesh) dialogs_.ShowFileMessage(kTrackMissesMesh, path);
}

void TrackCommands::Clear() { session_.SetTracks(TrackSet()); }

void TrackCommands::Show(bool shown) { session_.SetTracksShown(shown); }

}  // namespace koravel
