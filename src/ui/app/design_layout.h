#pragma once

#include <QLayout>
#include <QList>
#include <QRect>

namespace koravel {

/// Keeps each control at its place in the window's design and hands the
/// room the window has beyond the design's size to the controls that take
/// it: some grow with it, some move along with the edge they stand by. The
/// window never gets smaller than the design.
class DesignLayout : public QLayout {
 public:
  /// What a control does with the room beyond the design's size.
  struct Anchor {
    bool move_right = false;
    bool move_down = false;
    bool grow_wide = false;
    bool grow_tall = false;
  };

  explicit DesignLayout(QWidget* parent) : QLayout(parent) {}
  ~DesignLayout() override;

  /// Lays out `widget` from its present geometry as its design place, where it stays.
  void Add(QWidget* widget);
  /// Sets what `widget`, already added, does with the room.
  void SetAnchor(QWidget* widget, Anchor anchor);
  void SetDesignSize(QSize size);

  void addItem(QLayoutItem* item) override;
  QSize sizeHint() const override { return design_size_; }
  QSize minimumSize() const override { return design_size_; }
  int count() const override { return static_cast<int>(items_.size()); }
  QLayoutItem* itemAt(int index) const override;
  QLayoutItem* takeAt(int index) override;
  void setGeometry(const QRect& rect) override;

 private:
  struct Placed {
    QLayoutItem* item;
    QRect design;
    Anchor anchor;
  };

  QList<Placed> items_;
  QSize design_size_;
};

}  // namespace koravel
