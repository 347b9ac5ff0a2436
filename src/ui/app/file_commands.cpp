#include "ui/app/file_commands.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>

#include "core/export/mesh_export.h"
#include "core/io/file_probe.h"
#include "core/mesh/mesh_reader.h"
#include "core/mesh/mesh_writer.h"
#include "core/mesh/neighbour_mesh_file.h"
#include "core/mesh/new_mesh.h"
#include "ui/app/dem_commands.h"
#include "ui/app/frm_new_mesh.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_bridge.h"
#include "ui/document/document.h"
#include "ui/document/editing_session.h"

namespace koravel {
namespace {

const QStringList kOpenFilters = {QStringLiteral("50Mﾒｯｼｭﾌｧｲﾙ (*.mem)")};
const QStringList kSaveFilters = {QStringLiteral("50Mﾒｯｼｭﾌｧｲﾙ (*.mem)"),
                                  QStringLiteral("すべてのﾌｧｲﾙ (*.*)")};
// In the order of ExportFormat.
const QStringList kExportFilters = {QStringLiteral("ASCIIｸﾞﾘｯﾄﾞ (*.asc)"),
                                    QStringLiteral("GeoTIFF (*.tif *.tiff)")};

const QString kCodeDiffersFromName = QStringLiteral("ファイル名はメッシュ %1 ですが、ファイルの中のメッシュコードは %2 です。");

}  // namespace

bool FileCommands::SaveOrDiscardChanges() {
  if (!document_.IsModified()) return true;
  switch (dialogs_.AskToSaveChanges()) {
    case SaveChoice::Save: return Save();
    case SaveChoice::Discard: return true;
    case SaveChoice::Cancel: return false;
  }
  return false;
}

// A new mesh has no file until it is saved; its years are this year's, and
// its heights none, or the newer model's.
void FileCommands::New() {
  if (!SaveOrDiscardChanges()) return;
  frmNewMesh dialog(&window_);
  dialogs_.ShowModal(dialog);
  if (dialog.result() != QDialog::Accepted) return;
  std::optional<MeshDocument> mesh = NewMesh(dialog.MeshCode().toStdString(), QDate::currentDate().year());
  if (!mesh || (dialog.FromModel() && !dem_commands_.FillNewMesh(*mesh))) return;
  document_.Replace(std::move(*mesh), QString());
}

bool FileCommands::Open() {
  if (!SaveOrDiscardChanges()) return false;
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

bool FileCommands::OpenChosen(const QString& path) {
  return SaveOrDiscardChanges() && OpenPath(path, false);
}

QString FileCommands::NeighbourFile(CompassDirection direction) const {
  if (document_.FileName().isEmpty()) return {};
  const std::optional<std::filesystem::path> file =
      NeighbourMeshFile(LocalPath(document_.FileName()), document_.Mesh().MeshCode.Text(), direction);
  return file ? QFile::decodeName(file->c_str()) : QString();
}

// The view and the cursor land at the edge the step crossed, in the same
// row or column as before.
void FileCommands::OpenNeighbour(CompassDirection direction) {
  const QString path = NeighbourFile(direction);
  if (path.isEmpty() || !SaveOrDiscardChanges()) return;
  const ViewState before = session_.View();
  if (!OpenPath(path, false)) return;
  WarnOfOtherCode(path);
  const auto [east, north] = EastNorthStep(direction);
  const auto edge = [](int step, int kept) { return step > 0 ? 1 : step < 0 ? kMeshSize : kept; };
  session_.SetViewStart({edge(east, before.MapXstart), edge(-north, before.MapYstart)});
  session_.ShowCell({edge(east, before.MapX), edge(-north, before.MapY)});
}

// A file named for the neighbour may hold another mesh, and would then be
// edited and saved as the wrong one.
void FileCommands::WarnOfOtherCode(const QString& path) {
  const QString expected = QFileInfo(path).completeBaseName();
  const QString code = QString::fromStdString(document_.Mesh().MeshCode.Text()).trimmed();
  if (code != expected) dialogs_.ShowFileMessage(kCodeDiffersFromName.arg(expected, code), path);
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
