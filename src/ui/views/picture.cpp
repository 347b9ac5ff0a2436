#include "views/picture.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace koravel {

Picture::Picture(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

int Picture::ToDevice(double twips) const {
  return static_cast<int>(std::floor(twips * DeviceScale()));
}

// A box covers the device pixels from its left edge up to where the next
// box would start, so boxes drawn side by side tile without gaps.
void Picture::FillBox(int left, int top, int right, int bottom, const QColor& color) {
  if (image_.isNull()) EnsureImage();
  const int x1 = ToDevice(left);
  const int y1 = ToDevice(top);
  const int x2 = std::max(x1 + 1, ToDevice(right + 1));
  const int y2 = std::max(y1 + 1, ToDevice(bottom + 1));
  const QRect box = QRect(x1, y1, x2 - x1, y2 - y1).intersected(image_.rect());
  if (box.isEmpty()) return;
  const QRgb rgb = color.rgb();
  for (int y = box.top(); y <= box.bottom(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
    std::fill(line + box.left(), line + box.right() + 1, rgb);
  }
  update();
}

void Picture::DrawLines(const QList<QLineF>& lines, const QColor& color) {
  if (lines.isEmpty()) return;
  if (image_.isNull()) EnsureImage();
  QPainter painter(&image_);
  painter.setPen(QPen(color, 0));
  painter.scale(DeviceScale(), DeviceScale());
  painter.drawLines(lines);
  update();
}

void Picture::SetOutline(const QColor& color, int width, int height) {
  outline_color_ = color;
  outline_size_ = QSize(width, height);
  update();
}

void Picture::MoveOutline(int left, int top) {
  outline_position_ = QPoint(left, top);
  update();
}

QColor Picture::ColorAt(int x, int y) const {
  const QPoint pixel(ToDevice(x), ToDevice(y));
  if (!image_.valid(pixel)) return {};
  return image_.pixelColor(pixel);
}

void Picture::mousePressEvent(QMouseEvent* event) {
  emit Pressed(event->position().x() * kTwipsPerPixel, event->position().y() * kTwipsPerPixel,
               event->button());
}

void Picture::mouseMoveEvent(QMouseEvent* event) {
  emit Moved(event->position().x() * kTwipsPerPixel, event->position().y() * kTwipsPerPixel,
             event->buttons());
}

void Picture::mouseReleaseEvent(QMouseEvent*) { emit Released(); }

void Picture::paintEvent(QPaintEvent*) {
  EnsureImage();
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  if (!image_.isNull()) painter.drawImage(QRect(QPoint(0, 0), size()), image_);
  if (outline_size_.isEmpty()) return;
  painter.setPen(QPen(outline_color_, 0));
  painter.drawRect(QRectF(outline_position_.x() / kTwipsPerPixel, outline_position_.y() / kTwipsPerPixel,
                          outline_size_.width() / kTwipsPerPixel - 1,
                          outline_size_.height() / kTwipsPerPixel - 1));
}

void Picture::resizeEvent(QResizeEvent*) { EnsureImage(); }

void Picture::showEvent(QShowEvent*) { EnsureImage(); }

// The image follows the widget's size in device pixels; a change of size
// or screen density starts a blank image, which the next redraw fills.
void Picture::EnsureImage() {
  device_ratio_ = devicePixelRatioF();
  const QSize device_size = size() * device_ratio_;
  if (image_.size() == device_size) return;
  image_ = QImage(device_size, QImage::Format_RGB32);
  image_.fill(palette().color(QPalette::Window));
}

}  // namespace koravel
