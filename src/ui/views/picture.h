#pragma once

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QPoint>
#include <QSize>
#include <QWidget>
#include <functional>

namespace koravel {

/// A picture area measured in twips (15 to a pixel at 96 dpi) that keeps
/// what is drawn into it in an image of device pixels, so covering and
/// uncovering the window loses nothing. A picture with a renderer paints
/// its whole image from it in the paint event after Invalidate. An outline
/// rectangle (the frame of the overview, the cursor of the detail view)
/// floats above the image.
class Picture : public QWidget {
  Q_OBJECT

 public:
  /// Paints every pixel of the image (ClearOutside helps with the rest).
  using Renderer = std::function<void(QImage& image)>;

  explicit Picture(QWidget* parent = nullptr);

  void SetRenderer(Renderer renderer) { renderer_ = std::move(renderer); }
  /// The image is painted again from the renderer before it is next shown or read.
  void Invalidate();
  /// Lets `paint` change part of the image and shows the device pixels it
  /// returns; an image due for a whole painting just waits for it.
  void PaintOver(const std::function<QRect(QImage& image)>& paint);

  /// Fills the box of `width` × `height` twips whose top-left corner is at
  /// (left, top). Boxes side by side tile without gaps at any pixel density.
  void FillBox(int left, int top, int width, int height, const QColor& color);

  /// The outline is `pen` device pixels wide, centred on the box's edge.
  void SetOutline(const QColor& color, int width, int height, int pen = 1);
  void SetOutlineColor(const QColor& color);
  void MoveOutline(int left, int top);
  QPoint OutlinePosition() const { return outline_position_; }
  QSize OutlineSize() const { return outline_size_; }

  /// Fills what lies outside `painted` (device pixels) with the background.
  void ClearOutside(QImage& image, const QRect& painted) const;

  /// The colour drawn at (x, y) twips; an invalid colour outside the image.
  QColor ColorAt(int x, int y) const;

  /// The device pixel at which a position of `twips` starts.
  int ToDevice(double twips) const;
  double DeviceRatio() const { return device_ratio_; }

 signals:
  /// A mouse button went down at (x, y) twips.
  void Pressed(double x, double y, Qt::MouseButton button);
  /// The pointer moved to (x, y) twips with `buttons` held.
  void Moved(double x, double y, Qt::MouseButtons buttons);
  void Released(Qt::MouseButton button);
  /// The wheel turned with the pointer at (x, y) twips.
  void Wheeled(double x, double y, QPoint angle_delta, Qt::KeyboardModifiers modifiers);
  void PointerLeft();
  void Resized();
  /// The widget's size or pixel density changed and its image starts blank.
  void ImageReplaced();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QRect DeviceBox(double left, double top, double width, double height) const;
  void EnsureImage();
  void EnsureRendered();
  void PaintOutline(QPainter& painter) const;

  // Asking the screen for its ratio costs more than filling a box, so the
  // ratio is looked up only when the widget is resized, shown or painted.
  double device_ratio_ = 1.0;
  QImage image_;
  Renderer renderer_;
  bool stale_ = false;
  QColor outline_color_;
  QSize outline_size_;
  QPoint outline_position_;
  int outline_pen_ = 1;
};

}  // namespace koravel
