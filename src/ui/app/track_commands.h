#pragma once

#include <QString>

namespace koravel {

class Dialogs;
class Document;
class EditingSession;

/// ﾄﾗｯｸ開く, ﾄﾗｯｸ消去, ﾄﾗｯｸ表示 and ﾄﾗｯｸ非表示: the tracks of the session,
/// loaded onto the open mesh with every message naming the file.
class TrackCommands {
 public:
  TrackCommands(Dialogs& dialogs, const Document& document, EditingSession& session)
      : dialogs_(dialogs), document_(document), session_(session) {}

  /// Asks for a track or GPX file and loads it.
  void Open();
  /// Adds the tracks of `path` to those loaded. A load that stops on an
  /// error leaves the tracks as they were.
  void Load(const QString& path);
  void Clear();
  void Show(bool shown);

 private:
  Dialogs& dialogs_;
  const Document& document_;
  EditingSession& session_;
};

}  // namespace koravel
