// AnimationTracker: counts the finite animations running now, so a host can wait until a page
// has finished moving (endless ones, such as a loading shimmer, are not counted).
//
//   auto* animation = new QVariantAnimation();
//   AnimationTracker::Track(animation);    // before start()
//
// UI thread only.
#pragma once

class QAbstractAnimation;

class AnimationTracker {
 public:
  static void Track(QAbstractAnimation* animation);
  static int RunningFiniteCount();
};
