#pragma once

#include <QString>

#include "core/error_code.h"
#include "ui/common/dialogs.h"
#include "ui/document/document.h"

namespace koravel {

/// Open, Save, Save As and Export: the dialogs, the reading and writing, and
/// every message, each naming its file. The document is replaced only once a
/// whole file has been read, and a failed save leaves the file on disk as it
/// was. A successful write marks the document saved.
class FileCommands {
 public:
  FileCommands(Dialogs& dialogs, Document& document) : dialogs_(dialogs), document_(document) {}

  /// Asks for a file and opens it; true when the document was replaced.
  bool Open();
  /// Opens `path` as if chosen in the dialog with the read-only box as given.
  bool OpenPath(const QString& path, bool read_only_ticked);
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

  Dialogs& dialogs_;
  Document& document_;
};

}  // namespace koravel
