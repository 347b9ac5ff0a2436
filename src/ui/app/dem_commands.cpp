#include "ui/app/dem_commands.h"

#include <QFile>

#include "core/dem/reference_dem.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_bridge.h"
#include "ui/document/document.h"
#include "ui/document/editing_session.h"

namespace koravel {
namespace {

const QStringList kModelFilters = {QStringLiteral("基盤地図情報 数値標高モデル (*.xml *.zip)"),
                                   QStringLiteral("すべてのﾌｧｲﾙ (*.*)")};
const QString kLeftOut = QStringLiteral("読めなかったファイルが %1 個あります。最初のもの:");

}  // namespace

std::optional<std::vector<std::filesystem::path>> DemCommands::ChooseInputs() {
  const QStringList files = dialogs_.OpenFiles(QStringLiteral("基盤地図情報を開く"), kModelFilters);
  if (files.isEmpty()) return std::nullopt;
  std::vector<std::filesystem::path> inputs;
  for (const QString& file : files) inputs.push_back(LocalPath(file));
  dialogs_.RememberFolder(files.constFirst());
  return inputs;
}

// One message for the files left out, naming the first, however many there are.
bool DemCommands::Report(const DemInputReport& report) {
  if (!report.LeftOut.empty()) {
    const SkippedInput& first = report.LeftOut.front();
    dialogs_.ShowFileMessage(kLeftOut.arg(report.LeftOut.size()) + QStringLiteral("\n") + Message(first.Reason),
                             QFile::decodeName(first.Path.c_str()));
  }
  if (report.Error) dialogs_.ShowMessage(Message(*report.Error));
  return !report.Error;
}

bool DemCommands::FillNewMesh(MeshDocument& mesh) {
  const std::optional<std::vector<std::filesystem::path>> inputs = ChooseInputs();
  return inputs && Report(FillMeshFromDem(mesh, *inputs, {}));
}

void DemCommands::LoadReference() {
  if (!document_.IsOpen()) return;
  const std::optional<std::vector<std::filesystem::path>> inputs = ChooseInputs();
  if (!inputs) return;
  ReferenceDemResult sampled = SampleReferenceDem(document_.Mesh(), *inputs, {});
  // Files that read well but lie elsewhere are named, not taken for no model at all.
  const DemInputReport& report = sampled.Report;
  if (report.Error == ErrorCode::NoDemToPlace && report.Found > 0 && report.LeftOut.empty()) {
    return dialogs_.ShowFileMessage(QStringLiteral("数値標高モデルがこのメッシュの範囲にありません。"),
                                    QFile::decodeName(inputs->front().c_str()));
  }
  if (Report(report) && sampled.Reference) session_.SetReference(std::move(sampled.Reference));
}

}  // namespace koravel
