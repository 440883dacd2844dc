#include "platform/widgets/qf_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

#include "platform/widgets/qss_setter.h"

QFWidget::QFWidget(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {
  // Hover rules of a style sheet only repaint with hover events.
  setAttribute(Qt::WA_Hover, true);
  velmo_widgets::InstallAccessibleFactory();
}

QFWidget::~QFWidget() = default;

void QFWidget::RegisterClickCallback(QObject* context, ClickCallback callback) {
  callbacks_.Add(this, context, std::move(callback));
}

void QFWidget::SetClickParam(base::variant::Variant param) {
  callbacks_.SetParam(std::move(param));
}

void QFWidget::SetKeyboardActivatable(bool activatable) {
  keyboard_activatable_ = activatable;
  setFocusPolicy(activatable ? Qt::TabFocus : Qt::NoFocus);
}

void QFWidget::Click() { callbacks_.Run(this); }

bool QFWidget::event(QEvent* event) {
  if (event->type() == QEvent::Polish || event->type() == QEvent::StyleChange)
    QssSetter::AdoptStyleSheet(this);
  return QWidget::event(event);
}

void QFWidget::paintEvent(QPaintEvent*) {
  QStyleOption option;
  option.initFrom(this);
  if (pressed_) option.state |= QStyle::State_Sunken;
  QPainter painter(this);
  style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
  velmo_widgets::PaintFocusRing(this, &painter);
}

void QFWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !callbacks_.HasLive()) {
    QWidget::mousePressEvent(event);
    return;
  }
  pressed_ = true;
  update();
  event->accept();
}

void QFWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  pressed_ = false;
  update();
  event->accept();
  if (rect().contains(event->pos())) Click();  // may destroy this
}

void QFWidget::keyPressEvent(QKeyEvent* event) {
  if (keyboard_activatable_ && velmo_widgets::IsActivationKey(event)) {
    event->accept();
    Click();  // may destroy this
    return;
  }
  QWidget::keyPressEvent(event);
}

void QFWidget::focusInEvent(QFocusEvent* event) {
  velmo_widgets::NoteFocusIn(this, event);
  QWidget::focusInEvent(event);
}

void QFWidget::focusOutEvent(QFocusEvent* event) {
  velmo_widgets::NoteFocusOut(this);
  QWidget::focusOutEvent(event);
}
