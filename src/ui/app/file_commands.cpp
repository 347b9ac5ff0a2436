#include "app/file_commands.h"

#include "app/qt_bridge.h"

#include "mesh/mesh_file_probe.h"
#include "mesh/mesh_reader.h"
#include "mesh/mesh_writer.h"

namespace koravel {
namespace {

const QStringList kOpenFilters = {QStringLiteral("50Mﾒｯｼｭﾌｧｲﾙ (*.mem)")};
const QStringList kSaveFilters = {QStringLiteral("50Mﾒｯｼｭﾌｧｲﾙ (*.mem)"),
                                  QStringLiteral("すべてのﾌｧｲﾙ (*.*)")};

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
  document_ = std::move(*result.document);
  document_.MeshFileName = path.toStdString();
  return true;
}

bool FileCommands::Save() {
  if (document_.MeshFileName.empty()) {
    dialogs_.ShowMessage(Message(ErrorCode::NoFileLoaded));
    return false;
  }
  return Write(QString::fromStdString(document_.MeshFileName));
}

bool FileCommands::SaveAs() {
  const std::optional<QString> path = dialogs_.SaveFile(QStringLiteral("名前を付けて保存する"), kSaveFilters);
  if (!path || path->isEmpty()) return false;
  return Write(*path);
}

bool FileCommands::Write(const QString& path) {
  if (const std::optional<ErrorCode> failure = WriteMeshFile(document_, LocalPath(path))) {
    dialogs_.ShowMessage(Message(*failure));
    return false;
  }
  return true;
}

}  // namespace koravel
