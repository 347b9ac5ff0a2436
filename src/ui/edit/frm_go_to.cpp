#include "ui/edit/frm_go_to.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <cmath>
#include <optional>

#include "core/analysis/extreme_cells.h"
#include "core/geo/datum_converter.h"
#include "core/geo/mesh_georeference.h"
#include "core/text/typed_number.h"

namespace koravel {
namespace {

const QString kNotANumber = QStringLiteral("緯度と経度は度で入力して下さい（35.7 または 35 42 0）。");
const QString kOutsideMesh = QStringLiteral("その位置はメッシュの範囲外です。");

// Degrees as "35.7" or as degrees, minutes and seconds between blanks or
// the signs ° ' ": "35 42 0", "35°42'0\"". Arc-seconds.
std::optional<double> Seconds(const QString& text) {
  const QStringList parts =
      text.trimmed().split(QRegularExpression(QStringLiteral("[\\s°'\"]+")), Qt::SkipEmptyParts);
  if (parts.isEmpty() || parts.size() > 3) return std::nullopt;
  double seconds = 0;
  double unit = 3600;
  for (const QString& part : parts) {
    const std::optional<double> value = TypedNumber(part.toStdString());
    if (!value) return std::nullopt;
    seconds += *value * unit;
    unit /= 60;
  }
  // To a millionth of a second, so that 35.7 and 35 42 0 name one place and
  // fall on the same side of a cell's edge.
  return std::round(seconds * 1e6) / 1e6;
}

QSpinBox* CellBox(QWidget* parent, const char* name, int value) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(name);
  box->setRange(1, kMeshSize);
  box->setValue(value);
  return box;
}

}  // namespace

frmGoTo::frmGoTo(QPoint cursor, QWidget* parent) : QDialog(parent) {
  setObjectName("frmGoTo");
  setWindowTitle(QStringLiteral("移動"));
  auto* form = new QFormLayout(this);
  record_ = new QRadioButton(QStringLiteral("レコード位置(&R)"), this);
  record_->setObjectName("optRecord");
  record_->setChecked(true);
  form->addRow(record_);
  column_ = CellBox(this, "spnColumn", cursor.x());
  row_ = CellBox(this, "spnRow", cursor.y());
  form->addRow(QStringLiteral("列"), column_);
  form->addRow(QStringLiteral("行"), row_);
  position_ = new QRadioButton(QStringLiteral("緯度経度(&P)"), this);
  position_->setObjectName("optPosition");
  form->addRow(position_);
  latitude_ = new QLineEdit(this);
  latitude_->setObjectName("txtLatitude");
  longitude_ = new QLineEdit(this);
  longitude_->setObjectName("txtLongitude");
  datum_ = new QComboBox(this);
  datum_->setObjectName("cboDatum");
  datum_->addItems({QStringLiteral("日本測地系"), QStringLiteral("世界測地系 (WGS 84)")});
  form->addRow(QStringLiteral("緯度 (度)"), latitude_);
  form->addRow(QStringLiteral("経度 (度)"), longitude_);
  form->addRow(QStringLiteral("測地系"), datum_);
  highest_ = new QRadioButton(QStringLiteral("最も高いセル(&H)"), this);
  highest_->setObjectName("optHighest");
  lowest_ = new QRadioButton(QStringLiteral("最も低いセル(&L)"), this);
  lowest_->setObjectName("optLowest");
  form->addRow(highest_);
  form->addRow(lowest_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
  ChooseKindByTyping();
  column_->setFocus();
  column_->selectAll();
}

// Typing a position chooses that kind of target, so that a latitude typed
// while レコード位置 is still chosen is not passed over for the record fields.
void frmGoTo::ChooseKindByTyping() {
  for (QLineEdit* field : {latitude_, longitude_}) {
    connect(field, &QLineEdit::textEdited, position_, [this] { position_->setChecked(true); });
  }
  for (QSpinBox* box : {column_, row_}) {
    connect(box, &QSpinBox::valueChanged, record_, [this] { record_->setChecked(true); });
  }
}

std::variant<QPoint, QString> frmGoTo::Target(const MeshDocument& mesh) const {
  if (record_->isChecked()) return QPoint(column_->value(), row_->value());
  if (position_->isChecked()) return PositionTarget(mesh);
  const std::optional<GridCell> cell = highest_->isChecked() ? HighestCell(mesh) : LowestCell(mesh);
  if (!cell) return QStringLiteral("データのあるセルがありません。");
  return QPoint(cell->x, cell->y);
}

// A position on WGS 84 is converted to the Tokyo datum as track points are.
std::variant<QPoint, QString> frmGoTo::PositionTarget(const MeshDocument& mesh) const {
  const std::optional<double> latitude = Seconds(latitude_->text());
  const std::optional<double> longitude = Seconds(longitude_->text());
  if (!latitude || !longitude) return kNotANumber;
  std::optional<GeographicPoint> tokyo = GeographicPoint{*latitude, *longitude};
  if (datum_->currentIndex() == 1) tokyo = DatumConverter().ToTokyo(*tokyo);
  if (!tokyo) return kOutsideMesh;
  const GridPoint on_grid = MeshGeoreference::Of(mesh).ToGrid(*tokyo);
  const QPoint cell(static_cast<int>(std::floor(on_grid.X)) + 1, static_cast<int>(std::floor(on_grid.Y)) + 1);
  if (!QRect(1, 1, kMeshSize, kMeshSize).contains(cell)) return kOutsideMesh;
  return cell;
}

}  // namespace koravel
