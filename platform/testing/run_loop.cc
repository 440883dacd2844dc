#include "platform/testing/run_loop.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "platform/base/looper_thread.h"
#include "platform/sdk/signal_request_base.h"

namespace testing_support {

bool RunLoopUntil(const std::function<bool()>& done, int max_ms) {
  QElapsedTimer clock;
  clock.start();
  // Wakes the blocked loop now and then so that the deadline and done() are checked.
  QTimer wake;
  wake.start(5);
  while (!done()) {
    if (clock.hasExpired(max_ms)) return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  return true;
}

bool RunLoopUntilQuiet(int max_ms) {
  return RunLoopUntil(
      [] {
        return VELMO_CGI::VelmoSignalRequestBase::InFlightCount() == 0 &&
               base::threading::PendingTasks() == 0;
      },
      max_ms);
}

}  // namespace testing_support
