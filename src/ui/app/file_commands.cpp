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
  document_.Replace(std::move(*result.document), path);
  return true;
}

bool FileCommands::Save() {
  if (!document_.IsOpen()) {
    dialogs_.ShowMessage(Message(ErrorCode::NoFileLoaded));
    return false;
  }
  return Write(document_.FileName());
}

bool FileCommands::SaveAs() {
  const std::optional<QString> path = dialogs_.SaveFile(QStringLiteral("名前を付けて保存する"), kSaveFilters);
  if (!path || path->isEmpty()) return false;
  return Write(*path);
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
