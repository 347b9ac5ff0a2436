#include "ui/views/picture.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "core/views/repaint_geometry.h"
#include "ui/common/qt_bridge.h"

namespace koravel {

Picture::Picture(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

int Picture::ToDevice(double twips) const { return DevicePixel(twips, device_ratio_); }

// A box covers the device pixels from its left edge up to where the next
// box starts, and at least one.
QRect Picture::DeviceBox(double left, double top, double width, double height) const {
  const int x1 = ToDevice(left);
  const int y1 = ToDevice(top);
  return QRect(x1, y1, std::max(1, ToDevice(left + width) - x1), std::max(1, ToDevice(top + height) - y1));
}

void Picture::Invalidate() {
  unread_ = QRect(QPoint(), size() * device_ratio_);
  update();
}

void Picture::InvalidateDevice(const QRect& area) {
  unread_ += area;
  update(Logical(area));
}

QRect Picture::Logical(const QRect& device) const {
  return QRectF(device.topLeft() / device_ratio_, device.size() / device_ratio_).toAlignedRect();
}

void Picture::FillBox(int left, int top, int width, int height, const QColor& color) {
  if (image_.isNull()) EnsureImage();
  const QRect box = DeviceBox(left, top, width, height).intersected(image_.rect());
  if (box.isEmpty()) return;
  const QRgb rgb = color.rgb();
  for (int y = box.top(); y <= box.bottom(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
    std::fill(line + box.left(), line + box.right() + 1, rgb);
  }
  update(Logical(box));
}

void Picture::SetOutline(const QColor& color, int width, int height, int pen) {
  outline_color_ = color;
  outline_size_ = QSize(width, height);
  outline_pen_ = pen;
  update();
}

void Picture::SetOutlineColor(const QColor& color) {
  if (color == outline_color_) return;
  outline_color_ = color;
  update();
}

void Picture::MoveOutline(int left, int top) {
  outline_position_ = QPoint(left, top);
  update();
}

// Reading a pixel shows what the next paint would show.
QColor Picture::ColorAt(int x, int y) const {
  const_cast<Picture*>(this)->EnsureRendered();
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

void Picture::mouseReleaseEvent(QMouseEvent* event) { emit Released(event->button()); }

void Picture::mouseDoubleClickEvent(QMouseEvent* event) {
  emit DoubleClicked(event->position().x() * kTwipsPerPixel, event->position().y() * kTwipsPerPixel, event->button());
}

void Picture::wheelEvent(QWheelEvent* event) {
  emit Wheeled(event->position().x() * kTwipsPerPixel, event->position().y() * kTwipsPerPixel,
               event->angleDelta(), event->modifiers());
  event->accept();
}

void Picture::leaveEvent(QEvent*) { emit PointerLeft(); }

// Everything is drawn in device pixels, so the outline lies on the same
// pixel edges as the boxes beneath it.
void Picture::paintEvent(QPaintEvent* event) {
  EnsureImage();
  QPainter painter(this);
  painter.scale(1 / device_ratio_, 1 / device_ratio_);
  const QRectF logical = event->rect();
  const QRect device = QRectF(logical.topLeft() * device_ratio_, logical.size() * device_ratio_).toAlignedRect();
  if (renderer_) {
    painter.setClipRect(device);
    renderer_(painter, device);
  } else {
    painter.drawImage(device.topLeft(), image_, device);
  }
  if (!outline_size_.isEmpty()) PaintOutline(painter);
}

// Four bands, so that a wide outline keeps its width on every side.
void Picture::PaintOutline(QPainter& painter) const {
  const QRect box = DeviceBox(outline_position_.x(), outline_position_.y(), outline_size_.width(),
                              outline_size_.height());
  const int pen = outline_pen_;
  const int outside = pen / 2;
  const QRect outer = box.adjusted(-outside, -outside, outside, outside);
  painter.fillRect(QRect(outer.left(), outer.top(), outer.width(), pen), outline_color_);
  painter.fillRect(QRect(outer.left(), outer.bottom() - pen + 1, outer.width(), pen), outline_color_);
  painter.fillRect(QRect(outer.left(), outer.top(), pen, outer.height()), outline_color_);
  painter.fillRect(QRect(outer.right() - pen + 1, outer.top(), pen, outer.height()), outline_color_);
}

void Picture::resizeEvent(QResizeEvent*) {
  EnsureImage();
  emit Resized();
}

void Picture::showEvent(QShowEvent*) { EnsureImage(); }

void Picture::EnsureImage() {
  device_ratio_ = devicePixelRatioF();
  // Painted straight from the renderer, such a picture needs an image only to be read.
  if (renderer_) return;
  const QSize device_size = size() * device_ratio_;
  if (image_.size() == device_size) return;
  const bool replaced = !image_.isNull();
  image_ = QImage(device_size, QImage::Format_RGB32);
  image_.fill(palette().color(QPalette::Window));
  if (replaced) emit ImageReplaced();
}

// Only what paint events were asked for is painted into the copy read, so
// a change that never asks for its pixels shows as the stale pixels it leaves.
void Picture::EnsureRendered() {
  EnsureImage();
  if (!renderer_) return;
  const QSize device_size = size() * device_ratio_;
  if (image_.size() != device_size) {
    image_ = QImage(device_size, QImage::Format_RGB32);
    unread_ = image_.rect();
  }
  if (unread_.isEmpty()) return;
  QPainter painter(&image_);
  for (const QRect& area : unread_) {
    painter.setClipRect(area);
    renderer_(painter, area);
  }
  unread_ = QRegion();
}

}  // namespace koravel
