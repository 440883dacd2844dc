#include "platform/widgets/native_mouse_down_event.h"

#include <QCoreApplication>
#include <QCursor>

QEvent::Type NativeMouseDownEvent::QEventType() {
  static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

NativeMouseDownEvent::NativeMouseDownEvent(const QPoint& global_pos, Qt::MouseButton button)
    : QEvent(QEventType()), global_pos_(global_pos), button_(button) {}

NativeMouseDownEvent::~NativeMouseDownEvent() = default;

void NativeMouseDownEvent::Post(QObject* receiver, Qt::MouseButton button) {
  QObject* target = receiver ? receiver : QCoreApplication::instance();
  if (!target) return;
  QCoreApplication::postEvent(target, new NativeMouseDownEvent(QCursor::pos(), button));
}

bool NativeMouseDownEvent::Send(QObject* receiver, const QPoint& global_pos,
                                Qt::MouseButton button) {
  QObject* target = receiver ? receiver : QCoreApplication::instance();
  if (!target) return false;
  NativeMouseDownEvent event(global_pos, button);
  return QCoreApplication::sendEvent(target, &event);
}
