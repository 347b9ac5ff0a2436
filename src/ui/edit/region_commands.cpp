#include "ui/edit/region_commands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>

#include "core/edit/elevation_entry.h"
#include "core/edit/hole_filling.h"
#include "core/edit/region_operations.h"
#include "core/edit/value_block.h"
#include "core/text/half_width_number.h"
#include "core/text/lenient_number.h"
#include "core/text/typed_number.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_bridge.h"
#include "ui/common/settings.h"
#include "ui/document/document.h"
#include "ui/document/editing_session.h"

namespace koravel {
namespace {

constexpr int kMostSmoothingPasses = 100;

}  // namespace

RegionCommands::RegionCommands(Document& document, const EditingSession& session, Dialogs& dialogs,
                               const std::array<QAction*, kOperationCount>& actions)
    : document_(document), session_(session), dialogs_(dialogs), actions_(actions) {
  for (int i = 0; i < kOperationCount; ++i) {
    connect(actions_[i], &QAction::triggered, this, [this, i] { Run(static_cast<Operation>(i)); });
  }
  connect(&session_, &EditingSession::SelectionChanged, this, &RegionCommands::EnableForSelection);
  connect(&document_, &Document::Replaced, this, &RegionCommands::EnableForSelection);
  connect(&session_, &EditingSession::ReferenceChanged, this, &RegionCommands::EnableForSelection);
  EnableForSelection();
}

// Filling works on every hole when nothing is chosen, pasting at the cursor.
void RegionCommands::EnableForSelection() {
  const bool chosen = !session_.Selection().Empty();
  for (int i = 0; i < kOperationCount; ++i) {
    const bool anywhere = i == kFillHoles || i == kPaste;
    const bool possible = i != kTakeReference || session_.Reference().has_value();
    actions_[i]->setEnabled(document_.IsOpen() && possible && (chosen || anywhere));
  }
}

void RegionCommands::Run(Operation operation) {
  const MeshDocument& mesh = document_.Mesh();
  switch (operation) {
    case kSetValue: return SetValue();
    case kSetNoData: return document_.Edit(SetNoData(mesh, session_.Selection()));
    case kOffset: return Offset();
    case kSmooth: return Smooth();
    case kFillHoles: return FillHoles();
    case kRestore: return document_.Edit(RestoreValues(mesh, session_.Selection(), document_.SavedMesh()));
    case kTakeReference: return document_.Edit(TakeHeights(mesh, session_.Selection(), session_.Reference()->Heights()));
    case kCopy: return Copy();
    case kPaste: return Paste();
    case kOperationCount: return;
  }
}

void RegionCommands::SetValue() {
  const std::optional<QString> text = dialogs_.AskText(QStringLiteral("値を設定"), QStringLiteral("標高 (m)"), QString());
  if (!text) return;
  const std::optional<std::int32_t> tenths = ParseElevation(text->toStdString());
  if (!tenths) return dialogs_.ShowMessage(Message(ErrorCode::ElevationOutOfRange));
  const auto edit = SetHeight(document_.Mesh(), session_.Selection(), *tenths);
  if (const ErrorCode* error = std::get_if<ErrorCode>(&edit)) return dialogs_.ShowMessage(Message(*error));
  document_.Edit(std::get<CellChanges>(edit));
}

// Results past the range refuse the whole edit.
void RegionCommands::Offset() {
  const std::optional<QString> text =
      dialogs_.AskText(QStringLiteral("高さを加える"), QStringLiteral("加える高さ (m、引くときは負の値)"), QString());
  if (!text) return;
  const std::optional<double> metres = TypedNumber(text->toStdString());
  const std::optional<std::int32_t> tenths = metres ? RoundHalfEven<std::int32_t>(*metres * 10) : std::nullopt;
  if (!tenths) return dialogs_.ShowMessage(Message(ErrorCode::ElevationOutOfRange));
  const auto edit = OffsetHeights(document_.Mesh(), session_.Selection(), *tenths);
  if (const ErrorCode* error = std::get_if<ErrorCode>(&edit)) return dialogs_.ShowMessage(Message(*error));
  document_.Edit(std::get<CellChanges>(edit));
}

void RegionCommands::Smooth() {
  const std::optional<QString> text = dialogs_.AskText(QStringLiteral("平滑化"), QStringLiteral("回数"), QStringLiteral("1"));
  if (!text) return;
  bool is_number = false;
  const int passes = QString::fromStdString(HalfWidthNumber(text->toStdString())).trimmed().toInt(&is_number);
  if (!is_number || passes < 1 || passes > kMostSmoothingPasses) {
    return dialogs_.ShowMessage(QStringLiteral("回数は1～%1の整数で入力して下さい。").arg(kMostSmoothingPasses));
  }
  document_.Edit(SmoothHeights(document_.Mesh(), session_.Selection(), passes));
}

// The holes among the chosen cells, or every hole up to the size set when
// nothing is chosen.
void RegionCommands::FillHoles() {
  const CellSelection& chosen = session_.Selection();
  document_.Edit(chosen.Empty() ? koravel::FillHoles(document_.Mesh(), Settings().HoleCells())
                                : koravel::FillHoles(document_.Mesh(), chosen));
}

void RegionCommands::Copy() {
  QApplication::clipboard()->setText(QString::fromStdString(ValuesText(document_.Mesh(), session_.Selection())));
}

// The block's top-left cell lands on the cursor.
void RegionCommands::Paste() {
  const auto block = ParseValuesText(QApplication::clipboard()->text().toStdString());
  if (const ErrorCode* error = std::get_if<ErrorCode>(&block)) return dialogs_.ShowMessage(Message(*error));
  if (std::get<ValueBlock>(block).rows.empty()) {
    return dialogs_.ShowMessage(QStringLiteral("クリップボードに貼り付ける値がありません。"));
  }
  const QPoint cursor = session_.Cursor();
  document_.Edit(PasteValues(document_.Mesh(), std::get<ValueBlock>(block), {cursor.x(), cursor.y()}));
}

}  // namespace koravel
