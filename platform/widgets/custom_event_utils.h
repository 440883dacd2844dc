// CustomEventUtils: deferred work on the UI thread's event loop.
//
//   CustomEventUtils::DelayAction(this_qobject, [weak] { if (auto self = weak.lock()) ...; });
//
// The action runs after the current event has been handled; it is dropped, unrun, when the
// context object is destroyed first.
#pragma once

#include <functional>

class QObject;

class CustomEventUtils {
 public:
  static void DelayAction(QObject* context, std::function<void()> action);
};
