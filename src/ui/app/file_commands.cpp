#include "ui/app/file_commands.h"

#include <QFileInfo>

#include "core/export/mesh_export.h"
#include "core/io/file_probe.h"
#include "core/mesh/mesh_reader.h"
#include "core/mesh/mesh_writer.h"
#include "ui/common/qt_bridge.h"

namespace koravel {
namespace {

const QStringList kOpenFilters = {QStringLiteral("50Mﾒｯｼｭﾌｧｲﾙ (*.mem)")};
const QStringList kSaveFilters = {QStringLiteral("50Mﾒｯｼｭﾌｧｲﾙ (*.mem)"),
                                  QStringLiteral("すべてのﾌｧｲﾙ (*.*)")};
// In the order of ExportFormat.
const QStringList kExportFilters = {QStringLiteral("ASCIIｸﾞﾘｯﾄﾞ (*.asc)"),
                                    QStringLiteral("GeoTIFF (*.tif *.tiff)")};

}  // namespace

bool FileCommands::Open() {
  const std::optional<OpenChoice> choice = dialogs_.OpenFile(QStringLiteral("開く"), kOpenFilters, true);
  if (!choice || choice->path.isEmpty()) return false;
  return OpenPath(choice->path, choice->read_only);
}

bool FileCommands::OpenPath(const QString& path, bool read_only_ticked) {
  const std::filesystem::path file = LocalPath(path);
  if (HasReadOnlyAttribute(file) && !read_only_ticked) {
    Report(ErrorCode::ReadOnlyFile, path);
    return false;
  }
  MeshReadResult result = ReadMeshFile(file);
  for (Warning warning : result.warnings) dialogs_.ShowFileMessage(Message(warning), path);
  if (result.error) {
    Report(*result.error, path);
    return false;
  }
  document_.Replace(std::move(*result.document), QFileInfo(path).absoluteFilePath());
  dialogs_.RememberFolder(path);
  return true;
}

bool FileCommands::Save() {
  if (!document_.IsOpen()) return false;
  if (document_.FileName().isEmpty()) return SaveAs();
  return Write(document_.FileName());
}

bool FileCommands::SaveAs() {
  if (!document_.IsOpen()) return false;
  const std::optional<QString> path =
      dialogs_.SaveFile(QStringLiteral("名前を付けて保存する"), kSaveFilters, ProposedName());
  if (!path || path->isEmpty()) return false;
  return Write(QFileInfo(*path).absoluteFilePath());
}

// The file's own name, or the mesh code's for a mesh not saved yet.
QString FileCommands::ProposedName() const {
  if (!document_.FileName().isEmpty()) return document_.FileName();
  return QString::fromStdString(document_.Mesh().MeshCode.Text()).trimmed() + QStringLiteral(".mem");
}

bool FileCommands::Export() {
  if (!document_.IsOpen()) return false;
  const std::optional<ExportChoice> choice = dialogs_.ExportFile(QStringLiteral("エクスポート"), kExportFilters);
  if (!choice || choice->path.isEmpty()) return false;
  const std::filesystem::path file = LocalPath(choice->path);
  // A name typed with the other format's extension means that format.
  const ExportFormat format = ExportFormatOf(file).value_or(static_cast<ExportFormat>(choice->filter));
  if (const std::optional<ErrorCode> failure = ExportMeshAs(document_.Mesh(), file, format)) {
    Report(*failure, choice->path);
    return false;
  }
  dialogs_.RememberFolder(choice->path);
  return true;
}

void FileCommands::Report(ErrorCode failure, const QString& path) { dialogs_.ShowFileMessage(Message(failure), path); }

bool FileCommands::Write(const QString& path) {
  if (const std::optional<ErrorCode> failure = WriteMeshFile(document_.Mesh(), LocalPath(path))) {
    Report(*failure, path);
    return false;
  }
  document_.MarkSavedAs(path);
  dialogs_.RememberFolder(path);
  return true;
}

}  // namespace koravel
