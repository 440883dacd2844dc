#include "platform/base/looper_thread.h"

#include <atomic>
#include <memory>

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>

namespace base {
namespace threading {

namespace {

std::atomic<int> g_pending{0};

// Counts a posted task until it runs or is destroyed unrun (its context died).
class PendingGuard {
 public:
  PendingGuard() { g_pending.fetch_add(1); }
  ~PendingGuard() { g_pending.fetch_sub(1); }
};

}  // namespace

LooperThread* LooperThread::MainLooper() {
  static LooperThread* looper = new LooperThread();
  return looper;
}

void LooperThread::PostTask(std::function<void()> task, const Location&) {
  PostToObject(QCoreApplication::instance(), std::move(task));
}

void PostToObject(QObject* context, std::function<void()> fn) {
  if (!context || !fn) return;
  auto guard = std::make_shared<PendingGuard>();
  QMetaObject::invokeMethod(
      context,
      [fn = std::move(fn), guard]() mutable {
        auto keep = std::move(guard);
        fn();
      },
      Qt::QueuedConnection);
}

int PendingTasks() { return g_pending.load(); }

}  // namespace threading
}  // namespace base
