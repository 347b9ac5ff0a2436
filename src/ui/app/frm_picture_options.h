#pragma once

#include <QDialog>

#include "ui/views/map_picture.h"

class QRadioButton;
class QSpinBox;

namespace koravel {

/// What a picture of the map shows: the detail view or the whole mesh, and
/// how many pixels wide a cell is drawn.
class frmPictureOptions : public QDialog {
 public:
  explicit frmPictureOptions(QWidget* parent = nullptr);

  MapPicture::Area Area() const;
  int CellPixels() const;

 private:
  QRadioButton* detail_view_;
  QSpinBox* cell_pixels_;
};

}  // namespace koravel
