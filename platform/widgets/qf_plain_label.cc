#include "platform/widgets/qf_plain_label.h"

#include <QEvent>

#include "platform/widgets/qss_setter.h"

QFPlainLabel::QFPlainLabel(QWidget* parent, Qt::WindowFlags flags) : QLabel(parent, flags) {}

QFPlainLabel::QFPlainLabel(const QString& text, QWidget* parent) : QFPlainLabel(parent) {
  setText(text);
}

QFPlainLabel::~QFPlainLabel() = default;

bool QFPlainLabel::event(QEvent* event) {
  if (event->type() == QEvent::Polish || event->type() == QEvent::StyleChange)
    QssSetter::AdoptStyleSheet(this);
  return QLabel::event(event);
}
