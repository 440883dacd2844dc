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

  // A running animation group cannot be deleted safely: its child animations call back into
  // it while they stop, after the group's own part of the object is gone. For an animation owned
  // by a widget (its parent), this stops it as soon as the parent starts deleting its children,
  // so a page may be deleted mid-animation.
  //   auto* shimmer = new QParallelAnimationGroup(skeleton);
  //   AnimationTracker::StopWithParent(shimmer);
  static void StopWithParent(QAbstractAnimation* animation);
};
