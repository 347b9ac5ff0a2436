#pragma once

#include <QDialog>

#include "core/edit/cursor_step.h"
#include "core/scale/hill_shade.h"
#include "core/views/contour_settings.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QSpinBox;

namespace koravel {

/// The choices the program remembers for the user, as ｵﾌﾟｼｮﾝ edits them.
struct Options {
  bool shaded_relief = false;
  bool hatch_omitted_rows = true;
  MoveDirection auto_move_direction = MoveDirection::Right;
  int hole_cells = 400;  ///< the largest hole filled when nothing is chosen
  ReliefLight light;
  ContourSettings contours;
};

/// ｵﾌﾟｼｮﾝ: a dialog of what the program remembers, filled from `options`;
/// Chosen() holds the answers once it is accepted.
class frmOptions : public QDialog {
 public:
  explicit frmOptions(const Options& options, QWidget* parent = nullptr);

  Options Chosen() const;

 private:
  void AddReliefRows(QFormLayout& form, const ReliefLight& light);
  void AddContourRows(QFormLayout& form, const ContourSettings& contours);

  QCheckBox* shaded_relief_;
  QCheckBox* hatch_omitted_rows_;
  QComboBox* auto_move_direction_;
  QSpinBox* hole_cells_;
  QDoubleSpinBox* azimuth_;
  QDoubleSpinBox* altitude_;
  QDoubleSpinBox* exaggeration_;
  QCheckBox* multidirectional_;
  QDoubleSpinBox* detail_interval_;
  QDoubleSpinBox* overview_interval_;
  QDoubleSpinBox* contour_base_;
  bool contours_shown_;
};

}  // namespace koravel
