#include "platform/widgets/animation_tracker.h"

#include <set>

#include <QAbstractAnimation>
#include <QObject>

namespace {
std::set<const QAbstractAnimation*>& Running() {
  static auto* running = new std::set<const QAbstractAnimation*>();
  return *running;
}

bool IsFinite(const QAbstractAnimation* a) { return a->loopCount() >= 0 && a->duration() >= 0; }
}  // namespace

void AnimationTracker::Track(QAbstractAnimation* animation) {
  if (!animation) return;
  const QAbstractAnimation* key = animation;
  if (animation->state() == QAbstractAnimation::Running && IsFinite(animation)) Running().insert(key);
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
