#include "ui/app/design_layout.h"

#include <QWidget>
#include <algorithm>

namespace koravel {

DesignLayout::~DesignLayout() {
  for (const Placed& placed : items_) delete placed.item;
}

void DesignLayout::Add(QWidget* widget) {
  const QRect design = widget->geometry();
  addChildWidget(widget);
  items_.append({new QWidgetItem(widget), design, {}});
}

void DesignLayout::SetAnchor(QWidget* widget, Anchor anchor) {
  for (Placed& placed : items_) {
    if (placed.item->widget() == widget) placed.anchor = anchor;
  }
  invalidate();
}

void DesignLayout::SetDesignSize(QSize size) {
  design_size_ = size;
  invalidate();
}

void DesignLayout::addItem(QLayoutItem* item) { items_.append({item, item->geometry(), {}}); }

QLayoutItem* DesignLayout::itemAt(int index) const {
  return index >= 0 && index < items_.size() ? items_[index].item : nullptr;
}

QLayoutItem* DesignLayout::takeAt(int index) {
  if (index < 0 || index >= items_.size()) return nullptr;
  return items_.takeAt(index).item;
}

void DesignLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  const int wider = std::max(0, rect.width() - design_size_.width());
  const int taller = std::max(0, rect.height() - design_size_.height());
  for (const Placed& placed : items_) {
    const Anchor& a = placed.anchor;
    QRect place = placed.design.translated(rect.topLeft());
    place.translate(a.move_right ? wider : 0, a.move_down ? taller : 0);
    place.setSize(place.size() + QSize(a.grow_wide ? wider : 0, a.grow_tall ? taller : 0));
    // Straight to the widget: a layout item would trim it to its size hint.
    if (QWidget* widget = placed.item->widget()) {
      widget->setGeometry(place);
    } else {
      placed.item->setGeometry(place);
    }
  }
}

}  // namespace koravel
