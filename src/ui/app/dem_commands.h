#pragma once

#include <QString>
#include <filesystem>
#include <optional>
#include <vector>

#include "core/dem/dem_mosaic.h"
#include "core/mesh/mesh_document.h"

namespace koravel {

class Dialogs;
class Document;
class EditingSession;

/// The newer elevation model (基盤地図情報 数値標高モデル) beside the meshes:
/// a new mesh built from it, and its heights loaded as a reference beside
/// the open mesh. Files that cannot be read are named; the rest is used.
class DemCommands {
 public:
  DemCommands(Dialogs& dialogs, const Document& document, EditingSession& session)
      : dialogs_(dialogs), document_(document), session_(session) {}

  /// Asks for the model's files and fills `mesh`, new from its code, with
  /// their heights; false when cancelled or nothing came of them.
  bool FillNewMesh(MeshDocument& mesh);
  /// ツール > 参照DEMを読む: asks for the model's files and samples them at
  /// the open mesh's cells.
  void LoadReference();

 private:
  std::optional<std::vector<std::filesystem::path>> ChooseInputs();
  /// Names what was left out; false when nothing came of the inputs.
  bool Report(const DemInputReport& report);

  Dialogs& dialogs_;
  const Document& document_;
  EditingSession& session_;
};

}  // namespace koravel
