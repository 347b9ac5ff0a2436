#include "app/header_display.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace koravel {
namespace {

QString Shown(const Cp932Text& text) { return QString::fromStdString(text.Text()); }
QString Shown(const CornerAngle& corner) { return QString::fromStdString(corner.DisplayText()); }

}  // namespace

void ShowHeader(const MeshDocument& document, const MainWindowControls& controls) {
  controls.Label2->setText(Shown(document.MeshCode));
  controls.Label4->setText("1/" + Shown(document.MapScale));
  controls.Label6[0]->setText(Shown(document.SurveyYear));
  controls.Label6[1]->setText(Shown(document.RevisionYear));
  controls.Label6[2]->setText(Shown(document.DigitizeYear));
  controls.Label7[0]->setText(Shown(document.SWLat));
  controls.Label8[0]->setText(Shown(document.SWLon));
  controls.Label7[1]->setText(Shown(document.NELat));
  controls.Label8[1]->setText(Shown(document.NELon));
  const bool several_sheets = document.SheetCount > 1;
  for (std::size_t i = 0; i < controls.Label10.size(); ++i) {
    controls.Label10[i]->setText(Shown(document.SheetName[i]));
    if (i > 0) controls.Label10[i]->setVisible(several_sheets);
  }
  controls.Label18->setVisible(several_sheets);
  // Showing a freshly read comment is no edit of it.
  const QSignalBlocker quiet(controls.Text1);
  controls.Text1->setText(Shown(document.MeshComment));
  controls.Text1->setCursorPosition(0);
}

}  // namespace koravel
