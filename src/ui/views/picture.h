#pragma once

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QPoint>
#include <QSize>
#include <QWidget>

namespace koravel {

/// A picture area measured in twips (15 to a pixel at 96 dpi) that keeps
/// what is drawn into it in an image of device pixels, so covering and
/// uncovering the window loses nothing. An outline rectangle (the frame of
/// the overview, the cursor of the detail view) floats above the image.
class Picture : public QWidget {
  Q_OBJECT

 public:
  explicit Picture(QWidget* parent = nullptr);

  /// Fills the box of `width` × `height` twips whose top-left corner is at
  /// (left, top). Boxes side by side tile without gaps at any pixel density.
  void FillBox(int left, int top, int width, int height, const QColor& color);
  /// Draws each line, given in twips, in one pass; only inside `clip`
  /// (twips) where one is given.
  void DrawLines(const QList<QLineF>& lines, const QColor& color, const QRect& clip = {});

  void SetOutline(const QColor& color, int width, int height);
  void MoveOutline(int left, int top);
  QPoint OutlinePosition() const { return outline_position_; }

  /// The colour drawn at (x, y) twips; an invalid colour outside the image.
  QColor ColorAt(int x, int y) const;

 signals:
  /// A mouse button went down at (x, y) twips.
  void Pressed(double x, double y, Qt::MouseButton button);
  /// The pointer moved to (x, y) twips with `buttons` held.
  void Moved(double x, double y, Qt::MouseButtons buttons);
  void Released();
  /// The widget's size or pixel density changed and its image starts blank.
  void ImageReplaced();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  int ToDevice(double twips) const;
  QRect DeviceBox(int left, int top, int width, int height) const;
  void EnsureImage();

  // Asking the screen for its ratio costs more than filling a box, so the
  // ratio is looked up only when the widget is resized, shown or painted.
  double device_ratio_ = 1.0;
  QImage image_;
  QColor outline_color_;
  QSize outline_size_;
  QPoint outline_position_;
};

}  // namespace koravel
