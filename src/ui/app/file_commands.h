#pragma once

#include <QString>

#include "ui/common/dialogs.h"
#include "ui/document/document.h"

namespace koravel {

/// Open, Save and Save As: the dialogs, the reading and writing, and every
/// message. The document is replaced only once a whole file has been read,
/// and a failed save leaves the file on disk as it was. A successful write
/// marks the document saved.
class FileCommands {
 public:
  FileCommands(Dialogs& dialogs, Document& document) : dialogs_(dialogs), document_(document) {}

  /// Asks for a file and opens it; true when the document was replaced.
  bool Open();
  /// Opens `path` as if chosen in the dialog with the read-only box as given.
  bool OpenPath(const QString& path, bool read_only_ticked);
  /// Writes to the file that was opened; true when written.
  bool Save();
  /// Asks for a file name and writes there; the document keeps naming the
  /// file it was opened from. True when written.
  bool SaveAs();
  /// Asks for a file name and writes the grid as shown, edits included, as
  /// an ASCII grid or a GeoTIFF; true when written.
  bool Export();

 private:
  bool Write(const QString& path);
  bool ReportNoFileLoaded();

  Dialogs& dialogs_;
  Document& document_;
};

}  // namespace koravel
