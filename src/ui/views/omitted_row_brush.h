#pragma once

#include <QBrush>
#include <QColor>

namespace koravel {

/// The hatch over rows the file omits, drawn on `under` (their colour): dark
/// on light colours and light on dark ones, so it shows on every band.
inline QBrush OmittedRowBrush(QRgb under) {
  constexpr int kLightColour = 128;
  return QBrush(qGray(under) >= kLightColour ? QColor(40, 40, 40) : QColor(230, 230, 230), Qt::BDiagPattern);
}

}  // namespace koravel
