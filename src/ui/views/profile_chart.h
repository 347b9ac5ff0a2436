#pragma once

#include <QWidget>
#include <optional>

#include "core/analysis/elevation_profile.h"

namespace koravel {

/// The chart of a profile: distance in km across, height in m up, the
/// mesh's heights in brown and the GPS heights in blue. The pointer over it
/// names the sample under it.
class ProfileChart : public QWidget {
  Q_OBJECT

 public:
  /// How the height axis is set: from the heights shown, at a vertical
  /// exaggeration of the distance scale, or between fixed bounds.
  struct Axes {
    double exaggeration = 0;             ///< 0: as the heights need
    std::optional<double> low, high;     ///< metres, both or neither
  };

  explicit ProfileChart(QWidget* parent = nullptr);

  /// The samples shown, of `profile` from `first` to before `end`.
  void SetProfile(const ElevationProfile& profile, std::size_t first, std::size_t end);
  void SetAxes(const Axes& axes);
  /// Draws the chart on `painter` into `frame`, as the widget shows it.
  void Draw(QPainter& painter, const QRect& frame) const;

 signals:
  /// The sample under the pointer; nothing when the pointer left.
  void Hovered(std::optional<std::size_t> sample);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  struct Range {
    double distance_low, distance_high, height_low, height_high;
  };
  Range DataRange(const QRect& plot) const;
  void DrawAxes(QPainter& painter, const QRect& plot, const Range& range) const;
  void DrawSeries(QPainter& painter, const QRect& plot, const Range& range, bool gps) const;
  QRect PlotArea(const QRect& frame) const;

  const ElevationProfile* profile_ = nullptr;
  std::size_t first_ = 0;
  std::size_t end_ = 0;
  Axes axes_;
  std::optional<std::size_t> hovered_;
};

}  // namespace koravel
