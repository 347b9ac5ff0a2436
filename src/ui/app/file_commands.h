#pragma once

#include <QString>

#include "core/error_code.h"
#include "core/geo/mesh_code.h"

class QWidget;

namespace koravel {

class DemCommands;
class Dialogs;
class Document;
class EditingSession;

/// The commands on the document's file: New, Open, Save, Save As, Export
/// and the step to a neighbouring mesh, with their dialogs and every
/// message, each naming its file. The document is replaced only once a
/// whole file has been read, and a failed save leaves the file on disk as
/// it was. A successful write marks the document saved.
class FileCommands {
 public:
  FileCommands(Dialogs& dialogs, Document& document, EditingSession& session, DemCommands& dem_commands,
               QWidget& window)
      : dialogs_(dialogs), document_(document), session_(session), dem_commands_(dem_commands), window_(window) {}

  /// Before edits would be lost: asks whether to save them; true when the
  /// command may go on.
  bool SaveOrDiscardChanges();
  /// Asks for a mesh code and makes a new mesh of it, without a file, with
  /// the newer model's heights where asked.
  void New();
  /// Asks for a file and opens it; true when the document was replaced.
  bool Open();
  /// Opens `path` as if chosen in the dialog with the read-only box as given.
  bool OpenPath(const QString& path, bool read_only_ticked);
  /// Opens a file chosen from the recent files or dropped on the window.
  bool OpenChosen(const QString& path);
  /// The file of the neighbouring mesh in `direction`; empty when there is none.
  QString NeighbourFile(CompassDirection direction) const;
  /// Opens the neighbouring mesh in `direction`, the view and the cursor at
  /// the edge the step crossed.
  void OpenNeighbour(CompassDirection direction);
  /// Writes to the document's file, or asks for one as Save As does when the
  /// mesh is new; true when written.
  bool Save();
  /// Asks for a file name and writes there; that file becomes the
  /// document's. True when written.
  bool SaveAs();
  /// Asks for a file name and writes the grid as shown, edits included, as
  /// an ASCII grid or a GeoTIFF; true when written.
  bool Export();

 private:
  QString ProposedName() const;
  bool Write(const QString& path);
  void Report(ErrorCode failure, const QString& path);
  void WarnOfOtherCode(const QString& path);

  Dialogs& dialogs_;
  Document& document_;
  EditingSession& session_;
  DemCommands& dem_commands_;
  QWidget& window_;
};

}  // namespace koravel
