// velmo_widgets::FlowLayout: lays items out left to right and starts a new row when the next item
// would pass the right edge; its height follows its width (heightForWidth). Kit internal, for
// tag lists.
#pragma once

#include <QLayout>
#include <QList>

namespace velmo_widgets {

class FlowLayout : public QLayout {
 public:
  FlowLayout(QWidget* parent, int horizontal_spacing, int vertical_spacing);
  ~FlowLayout() override;

  void addItem(QLayoutItem* item) override;
  int count() const override { return items_.size(); }
  QLayoutItem* itemAt(int index) const override { return items_.value(index); }
  QLayoutItem* takeAt(int index) override;
  Qt::Orientations expandingDirections() const override { return {}; }
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;
  QSize minimumSize() const override;
  QSize sizeHint() const override;
  void setGeometry(const QRect& rect) override;

 private:
  // Places the items in rect (or only measures, when apply is false); returns the height used.
  int Arrange(const QRect& rect, bool apply) const;

  QList<QLayoutItem*> items_;
  int horizontal_spacing_;
  int vertical_spacing_;
};

}  // namespace velmo_widgets
