#include "platform/widgets/animation_tracker.h"

#include <set>

#include <QAbstractAnimation>
#include <QObject>
#include <QPointer>

namespace {
std::set<const QAbstractAnimation*>& Running() {
  static auto* running = new std::set<const QAbstractAnimation*>();
  return *running;
}

bool IsFinite(const QAbstractAnimation* a) { return a->loopCount() >= 0 && a->duration() >= 0; }

// Stops its animation when it is deleted. Qt deletes a parent's children in the order they were
// added, so a guard placed before the animation goes first.
class StopGuard : public QObject {
 public:
  StopGuard(QAbstractAnimation* animation, QObject* parent)
      : QObject(parent), animation_(animation) {}
  ~StopGuard() override {
    if (animation_) animation_->stop();
  }

 private:
  QPointer<QAbstractAnimation> animation_;
};
}  // namespace

void AnimationTracker::Track(QAbstractAnimation* animation) {
  if (!animation) return;
  const QAbstractAnimation* key = animation;
  if (animation->state() == QAbstractAnimation::Running && IsFinite(animation))
    Running().insert(key);
  QObject::connect(animation, &QAbstractAnimation::stateChanged, animation,
                   [animation, key](QAbstractAnimation::State now, QAbstractAnimation::State) {
                     if (now == QAbstractAnimation::Running && IsFinite(animation))
                       Running().insert(key);
                     else
                       Running().erase(key);
                   });
  QObject::connect(animation, &QObject::destroyed, [key] { Running().erase(key); });
}

int AnimationTracker::RunningFiniteCount() { return static_cast<int>(Running().size()); }

void AnimationTracker::StopWithParent(QAbstractAnimation* animation) {
  QObject* parent = animation ? animation->parent() : nullptr;
  if (!parent) return;
  new StopGuard(animation, parent);
  // Re-parenting moves the animation to the end of the parent's children, after its guard.
  animation->setParent(nullptr);
  animation->setParent(parent);
}
