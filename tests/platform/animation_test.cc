#include <vector>

#include <QCoreApplication>
#include <QParallelAnimationGroup>
#include <QPointer>
#include <QPropertyAnimation>
#include <QVariantAnimation>
#include <QWidget>

#include <gtest/gtest.h>

#include "platform/testing/manual_animation_driver.h"
#include "platform/widgets/animation_tracker.h"

TEST(ManualAnimationDriver, AnimationsMoveOnlyWithItsStepsAndFinishedOnesAreNotCounted) {
  testing_support::ManualAnimationDriver driver;
  QPointer<QVariantAnimation> height = new QVariantAnimation();
  height->setDuration(200);
  height->setStartValue(100);
  height->setEndValue(320);
  std::vector<int> values;
  QObject::connect(height, &QVariantAnimation::valueChanged,
                   [&](const QVariant& v) { values.push_back(v.toInt()); });
  AnimationTracker::Track(height);
  height->start(QAbstractAnimation::DeleteWhenStopped);

  QWidget bar;
  auto* shimmer = new QPropertyAnimation(&bar, "pos", &bar);
  shimmer->setDuration(1000);
  shimmer->setLoopCount(-1);  // endless: never holds a host up
  AnimationTracker::Track(shimmer);
  shimmer->start();

  EXPECT_EQ(AnimationTracker::RunningFiniteCount(), 1);
  driver.Step(100);
  EXPECT_FALSE(height.isNull());
  EXPECT_EQ(AnimationTracker::RunningFiniteCount(), 1);
  driver.Step(100);
  EXPECT_EQ(AnimationTracker::RunningFiniteCount(), 0);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(height.isNull());  // finished and deleted
  ASSERT_FALSE(values.empty());
  EXPECT_EQ(values.back(), 320);
  // Frame by frame: the same steps give the same values every run.
  EXPECT_EQ(values.size(), 13u);
  EXPECT_EQ(shimmer->state(), QAbstractAnimation::Running);
}

TEST(AnimationTracker, AGroupRunningWhenItsWidgetIsDeletedIsStoppedFirst) {
  auto* page = new QWidget();
  auto* bar = new QWidget(page);
  auto* group = new QParallelAnimationGroup(page);
  auto* sweep = new QPropertyAnimation(bar, "pos");
  sweep->setDuration(1000);
  sweep->setLoopCount(-1);
  group->addAnimation(sweep);
  AnimationTracker::StopWithParent(group);
  std::vector<QAbstractAnimation::State> states;
  QObject::connect(
      group, &QAbstractAnimation::stateChanged,
      [&](QAbstractAnimation::State now, QAbstractAnimation::State) { states.push_back(now); });
  group->start();
  ASSERT_EQ(group->state(), QAbstractAnimation::Running);
  // Unguarded, deleting a running group with a running child aborts the process.
  delete page;
  EXPECT_EQ(states, (std::vector<QAbstractAnimation::State>{QAbstractAnimation::Running,
                                                            QAbstractAnimation::Stopped}));
  AnimationTracker::StopWithParent(nullptr);  // nothing to guard
}
