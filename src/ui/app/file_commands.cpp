#include "ui/app/file_commands.h"

#include "ui/common/qt_bridge.h"

#include "core/export/mesh_export.h"
#include "core/io/file_probe.h"
#include "core/mesh/mesh_reader.h"
#include "core/mesh/mesh_writer.h"

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
    dialogs_.ShowMessage(Message(ErrorCode::ReadOnlyFile));
    return false;
  }
  MeshReadResult result = ReadMeshFile(file);
  for (Warning warning : result.warnings) dialogs_.ShowMessage(Message(warning));
  if (result.error) {
    dialogs_.ShowMessage(Message(*result.error));
    return false;
  }
  document_.Replace(std::move(*result.document), path);
  return true;
}

bool FileCommands::Save() {
  if (!document_.IsOpen()) return ReportNoFileLoaded();
  return Write(document_.FileName());
}

bool FileCommands::SaveAs() {
  const std::optional<QString> path = dialogs_.SaveFile(QStringLiteral("名前を付けて保存する"), kSaveFilters);
  if (!path || path->isEmpty()) return false;
  return Write(*path);
}

bool FileCommands::Export() {
  if (!document_.IsOpen()) return ReportNoFileLoaded();
  const std::optional<ExportChoice> choice = dialogs_.ExportFile(QStringLiteral("エクスポート"), kExportFilters);
  if (!choice || choice->path.isEmpty()) return false;
  const std::filesystem::path file = LocalPath(choice->path);
  // A name typed with the other format's extension means that format.
  const ExportFormat format = ExportFormatOf(file).value_or(static_cast<ExportFormat>(choice->filter));
  if (const std::optional<ErrorCode> failure = ExportMeshAs(document_.Mesh(), file, format)) {
    dialogs_.ShowMessage(Message(*failure));
    return false;
  }
  return true;
}

bool FileCommands::ReportNoFileLoaded() {
  dialogs_.ShowMessage(Message(ErrorCode::NoFileLoaded));
  return false;
}

bool FileCommands::Write(const QString& path) {
  if (const std::optional<ErrorCode> failure = WriteMeshFile(document_.Mesh(), LocalPath(path))) {
    dialogs_.ShowMessage(Message(*failure));
    return false;
  }
  document_.MarkSaved();
  return true;
}

}  // namespace koravel
