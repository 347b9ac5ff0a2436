#include "ui/app/header_display.h"

#include <QLabel>

namespace koravel {
namespace {

QString Shown(const Cp932Text& text) { return QString::fromStdString(text.Text()); }
QString Shown(const CornerAngle& corner) { return QString::fromStdString(corner.DisplayText()); }

}  // namespace

void ShowHeader(const MeshDocument& document, const MainWindowControls& controls) {
  controls.meshCodeLabel->setText(Shown(document.MeshCode));
  controls.scaleLabel->setText("1/" + Shown(document.MapScale));
  controls.yearLabels[0]->setText(Shown(document.SurveyYear));
  controls.yearLabels[1]->setText(Shown(document.RevisionYear));
  controls.yearLabels[2]->setText(Shown(document.DigitizeYear));
  controls.latitudeLabels[0]->setText(Shown(document.SWLat));
  controls.longitudeLabels[0]->setText(Shown(document.SWLon));
  controls.latitudeLabels[1]->setText(Shown(document.NELat));
  controls.longitudeLabels[1]->setText(Shown(document.NELon));
  const bool several_sheets = document.SheetCount > 1;
  for (std::size_t i = 0; i < controls.sheetNameLabels.size(); ++i) {
    controls.sheetNameLabels[i]->setText(Shown(document.SheetName[i]));
    if (i > 0) controls.sheetNameLabels[i]->setVisible(several_sheets);
  }
  controls.severalSheetsCaption->setVisible(several_sheets);
}

}  // namespace koravel
