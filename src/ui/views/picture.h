#pragma once

#include <QColor>
#include <QPainter>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QPoint>
#include <QRegion>
#include <QSize>
#include <QWidget>
#include <functional>

namespace koravel {

/// A picture area measured in twips (15 to a pixel at 96 dpi). A picture
/// with a renderer paints from it in each paint event, only what the event
/// asks for; one without keeps what is drawn into it in an image of device
/// pixels, so covering and uncovering the window loses nothing. An outline
/// rectangle (the frame of the overview, the cursor of the detail view)
/// floats above either.
class Picture : public QWidget {
  Q_OBJECT

 public:
  /// Paints at least the device pixels `area` with `painter`, which works
  /// in device pixels.
  using Renderer = std::function<void(QPainter& painter, const QRect& area)>;

  explicit Picture(QWidget* parent = nullptr);

  void SetRenderer(Renderer renderer) { renderer_ = std::move(renderer); }
  /// The whole picture is painted again from the renderer.
  void Invalidate();
  /// The device pixels `area` are painted again from the renderer.
  void InvalidateDevice(const QRect& area);

  /// Fills the box of `width` × `height` twips whose top-left corner is at
  /// (left, top). Boxes side by side tile without gaps at any pixel density.
  void FillBox(int left, int top, int width, int height, const QColor& color);

  /// The outline is `pen` device pixels wide, centred on the box's edge.
  void SetOutline(const QColor& color, int width, int height, int pen = 1);
  void SetOutlineColor(const QColor& color);
  void MoveOutline(int left, int top);
  QPoint OutlinePosition() const { return outline_position_; }
  QSize OutlineSize() const { return outline_size_; }

  /// The colour drawn at (x, y) twips, outline aside, once the paints asked
  /// for are done; an invalid colour outside the picture.
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
  /// A button was pressed twice quickly at (x, y) twips.
  void DoubleClicked(double x, double y, Qt::MouseButton button);
  /// The wheel turned with the pointer at (x, y) twips.
  void Wheeled(double x, double y, QPoint angle_delta, Qt::KeyboardModifiers modifiers);
  void PointerLeft();
  void Resized();
  /// The size or pixel density changed and the kept image starts blank (only without a renderer).
  void ImageReplaced();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QRect DeviceBox(double left, double top, double width, double height) const;
  QRect Logical(const QRect& device) const;
  void EnsureImage();
  /// Brings the image up to what the renderer paints, for reading.
  void EnsureRendered();
  void PaintOutline(QPainter& painter) const;

  // Asking the screen for its ratio costs more than filling a box, so the
  // ratio is looked up only when the widget is resized, shown or painted.
  double device_ratio_ = 1.0;
  QImage image_;
  Renderer renderer_;
  QRegion unread_;  ///< device pixels asked to be painted since the image was last read
  QColor outline_color_;
  QSize outline_size_;
  QPoint outline_position_;
  int outline_pen_ = 1;
};

}  // namespace koravel
