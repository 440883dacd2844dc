#include "platform/widgets/flow_layout.h"

#include <QWidget>

namespace velmo_widgets {

FlowLayout::FlowLayout(QWidget* parent, int horizontal_spacing, int vertical_spacing)
    : QLayout(parent),
      horizontal_spacing_(horizontal_spacing),
      vertical_spacing_(vertical_spacing) {
  setContentsMargins(0, 0, 0, 0);
}

FlowLayout::~FlowLayout() {
  while (QLayoutItem* item = takeAt(0)) delete item;
}

void FlowLayout::addItem(QLayoutItem* item) { items_.append(item); }

QLayoutItem* FlowLayout::takeAt(int index) {
  if (index < 0 || index >= items_.size()) return nullptr;
  return items_.takeAt(index);
}

int FlowLayout::heightForWidth(int width) const { return Arrange(QRect(0, 0, width, 0), false); }

QSize FlowLayout::minimumSize() const {
  QSize size;
  for (const QLayoutItem* item : items_) size = size.expandedTo(item->minimumSize());
  const QMargins m = contentsMargins();
  return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

QSize FlowLayout::sizeHint() const {
  // As wide as the widest row can be: the parent's width when it is fixed, else one row.
  const QWidget* owner = parentWidget();
  int width = owner && owner->minimumWidth() == owner->maximumWidth() ? owner->maximumWidth() : 0;
  if (width <= 0) {
    for (const QLayoutItem* item : items_) {
      if (item->isEmpty()) continue;
      width += item->sizeHint().width() + horizontal_spacing_;
    }
  }
  return QSize(width, heightForWidth(width));
}

void FlowLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  Arrange(rect, true);
}

int FlowLayout::Arrange(const QRect& rect, bool apply) const {
  const QRect area = rect.marginsRemoved(contentsMargins());
  int x = area.x();
  int y = area.y();
  int row_height = 0;
  for (QLayoutItem* item : items_) {
    if (item->isEmpty()) continue;
    QSize size = item->sizeHint().boundedTo(QSize(area.width(), QWIDGETSIZE_MAX));
    if (x > area.x() && x + size.width() > area.right() + 1) {
      x = area.x();
      y += row_height + vertical_spacing_;
      row_height = 0;
    }
    if (apply) item->setGeometry(QRect(QPoint(x, y), size));
    x += size.width() + horizontal_spacing_;
    row_height = qMax(row_height, size.height());
  }
  const QMargins m = contentsMargins();
  return y + row_height - rect.y() + m.bottom();
}

}  // namespace velmo_widgets
