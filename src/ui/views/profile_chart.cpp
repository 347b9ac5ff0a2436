#include "ui/views/profile_chart.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace koravel {
namespace {

constexpr int kMargin = 36;

// A round step between axis labels: 1, 2 or 5 times a power of ten.
double TickStep(double span, int wanted) {
  const double rough = span / std::max(1, wanted);
  const double power = std::pow(10, std::floor(std::log10(rough)));
  for (double factor : {1.0, 2.0, 5.0}) {
    if (factor * power >= rough) return factor * power;
  }
  return 10 * power;
}

}  // namespace

ProfileChart::ProfileChart(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setMinimumSize(320, 160);
}

void ProfileChart::SetProfile(const ElevationProfile& profile, std::size_t first, std::size_t end) {
  profile_ = &profile;
  first_ = first;
  end_ = std::min(end, profile.Samples.size());
  update();
}

void ProfileChart::SetAxes(const Axes& axes) {
  axes_ = axes;
  update();
}

QRect ProfileChart::PlotArea(const QRect& frame) const { return frame.adjusted(kMargin + 10, 8, -10, -kMargin); }

// The heights' range is the data's, widened for a vertical exaggeration of
// the distance scale, or the fixed bounds.
ProfileChart::Range ProfileChart::DataRange(const QRect& plot) const {
  Range range{0, 1, 0, 1};
  if (!profile_ || first_ >= end_) return range;
  range.distance_low = profile_->Samples[first_].DistanceMetres;
  range.distance_high = std::max(profile_->Samples[end_ - 1].DistanceMetres, range.distance_low + 1);
  double low = INFINITY, high = -INFINITY;
  for (std::size_t i = first_; i < end_; ++i) {
    for (const std::optional<double>& height : {profile_->Samples[i].MeshMetres, profile_->Samples[i].GpsMetres}) {
      if (height) low = std::min(low, *height), high = std::max(high, *height);
    }
  }
  if (!std::isfinite(low)) low = 0, high = 1;
  if (axes_.low && axes_.high) return {range.distance_low, range.distance_high, *axes_.low, *axes_.high};
  if (axes_.exaggeration > 0) {
    const double metres_per_pixel = (range.distance_high - range.distance_low) / plot.width();
    const double span = metres_per_pixel * plot.height() / axes_.exaggeration;
    const double middle = (low + high) / 2;
    return {range.distance_low, range.distance_high, middle - span / 2, middle + span / 2};
  }
  return {range.distance_low, range.distance_high, low, std::max(high, low + 1)};
}

void ProfileChart::Draw(QPainter& painter, const QRect& frame) const {
  painter.fillRect(frame, Qt::white);
  const QRect plot = PlotArea(frame);
  const Range range = DataRange(plot);
  DrawAxes(painter, plot, range);
  painter.save();
  painter.setClipRect(plot);
  painter.setRenderHint(QPainter::Antialiasing);
  DrawSeries(painter, plot, range, false);
  DrawSeries(painter, plot, range, true);
  painter.restore();
}

void ProfileChart::DrawAxes(QPainter& painter, const QRect& plot, const Range& range) const {
  painter.setPen(Qt::black);
  painter.drawRect(plot);
  const double distance_step = TickStep((range.distance_high - range.distance_low) / 1000, 6) * 1000;
  for (double d = std::ceil(range.distance_low / distance_step) * distance_step; d <= range.distance_high; d += distance_step) {
    const int x = plot.left() + static_cast<int>((d - range.distance_low) / (range.distance_high - range.distance_low) * plot.width());
    painter.drawLine(x, plot.bottom(), x, plot.bottom() + 4);
    painter.drawText(QRect(x - 30, plot.bottom() + 5, 60, 14), Qt::AlignCenter, QString::number(d / 1000, 'g', 4));
  }
  painter.drawText(QRect(plot.left(), plot.bottom() + 18, plot.width(), 14), Qt::AlignCenter, QStringLiteral("距離 (km)"));
  const double height_step = TickStep(range.height_high - range.height_low, 5);
  for (double h = std::ceil(range.height_low / height_step) * height_step; h <= range.height_high; h += height_step) {
    const int y = plot.bottom() - static_cast<int>((h - range.height_low) / (range.height_high - range.height_low) * plot.height());
    painter.drawLine(plot.left() - 4, y, plot.left(), y);
    painter.drawText(QRect(0, y - 7, plot.left() - 6, 14), Qt::AlignRight | Qt::AlignVCenter, QString::number(h, 'g', 5));
  }
  painter.save();
  painter.translate(10, plot.center().y());
  painter.rotate(-90);
  painter.drawText(QRect(-40, -10, 80, 14), Qt::AlignCenter, QStringLiteral("標高 (m)"));
  painter.restore();
}

// Breaks where a sample has no height.
void ProfileChart::DrawSeries(QPainter& painter, const QRect& plot, const Range& range, bool gps) const {
  if (!profile_) return;
  QPainterPath path;
  bool drawing = false;
  for (std::size_t i = first_; i < end_; ++i) {
    const ProfileSample& sample = profile_->Samples[i];
    const std::optional<double> height = gps ? sample.GpsMetres : sample.MeshMetres;
    if (!height) {
      drawing = false;
      continue;
    }
    const QPointF point(plot.left() + (sample.DistanceMetres - range.distance_low) / (range.distance_high - range.distance_low) * plot.width(),
                        plot.bottom() - (*height - range.height_low) / (range.height_high - range.height_low) * plot.height());
    drawing ? path.lineTo(point) : path.moveTo(point);
    drawing = true;
  }
  painter.setPen(QPen(gps ? QColor(30, 90, 200) : QColor(130, 70, 20), gps ? 1.2 : 1.8));
  painter.drawPath(path);
  if (hovered_ && !gps) {
    const double d = profile_->Samples[*hovered_].DistanceMetres;
    const int x = plot.left() + static_cast<int>((d - range.distance_low) / (range.distance_high - range.distance_low) * plot.width());
    painter.setPen(QPen(Qt::red, 1));
    painter.drawLine(x, plot.top(), x, plot.bottom());
  }
}

void ProfileChart::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Draw(painter, rect());
}

// The sample nearest the pointer's distance.
void ProfileChart::mouseMoveEvent(QMouseEvent* event) {
  if (!profile_ || first_ >= end_) return;
  const QRect plot = PlotArea(rect());
  const Range range = DataRange(plot);
  const double distance = range.distance_low + (event->position().x() - plot.left()) / plot.width() * (range.distance_high - range.distance_low);
  const auto begin = profile_->Samples.begin() + static_cast<std::ptrdiff_t>(first_);
  const auto stop = profile_->Samples.begin() + static_cast<std::ptrdiff_t>(end_);
  auto nearest = std::lower_bound(begin, stop, distance, [](const ProfileSample& s, double d) { return s.DistanceMetres < d; });
  if (nearest == stop) --nearest;
  hovered_ = static_cast<std::size_t>(nearest - profile_->Samples.begin());
  update();
  emit Hovered(hovered_);
}

void ProfileChart::leaveEvent(QEvent*) {
  hovered_.reset();
  update();
  emit Hovered(std::nullopt);
}

}  // namespace koravel
