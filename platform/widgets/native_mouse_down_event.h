// NativeMouseDownEvent: a mouse button went down outside Qt (on a native window of the host).
// The host posts it to the application object, so application-wide event filters see it as they
// see a QEvent::MouseButtonPress; a page that stops a countdown on any click handles both.
//
//   if (event->type() == NativeMouseDownEvent::QEventType()) { ... }
//   NativeMouseDownEvent::Post();                       // the host, on a native mouse-down
//   NativeMouseDownEvent::Send(qApp, QCursor::pos());   // at once, e.g. in a test
//
// The type is registered with QEvent::registerEventType on first use and stays the same for the
// process. UI thread only.
#pragma once

#include <QEvent>
#include <QPoint>

class QObject;

class NativeMouseDownEvent : public QEvent {
 public:
  static QEvent::Type QEventType();

  explicit NativeMouseDownEvent(const QPoint& global_pos, Qt::MouseButton button = Qt::LeftButton);
  ~NativeMouseDownEvent() override;

  const QPoint& globalPos() const { return global_pos_; }
  Qt::MouseButton button() const { return button_; }

  // Posts the event for a press at the cursor position to receiver (the application object when
  // null); it is delivered from the event loop.
  static void Post(QObject* receiver = nullptr, Qt::MouseButton button = Qt::LeftButton);
  // Delivers it at once; returns what the receiver's event handling returned.
  static bool Send(QObject* receiver, const QPoint& global_pos,
                   Qt::MouseButton button = Qt::LeftButton);

 private:
  QPoint global_pos_;
  Qt::MouseButton button_;
};
