// base::threading::LooperThread: the main (UI) thread's task queue, on the Qt event loop.
//
//   base::threading::LooperThread::MainLooper()->PostTask([] { ... }, FROM_HERE);
//
// Tasks run in posting order on the thread that runs the QCoreApplication. PendingTasks()
// counts tasks posted and not yet run or dropped, here and through CustomEventUtils, so a host
// can tell when the loop has settled. PostTask may be called from any thread.
#pragma once

#include <functional>

#include "platform/base/location.h"

class QObject;

namespace base {
namespace threading {

class LooperThread {
 public:
  static LooperThread* MainLooper();
  void PostTask(std::function<void()> task, const Location& from = Location());

 private:
  LooperThread() = default;
};

// Posts fn to context's thread through the event loop; it is dropped when context dies first.
void PostToObject(QObject* context, std::function<void()> fn);
// Tasks posted through PostTask or PostToObject that have neither run nor been dropped.
int PendingTasks();

}  // namespace threading
}  // namespace base
