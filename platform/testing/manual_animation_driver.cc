#include "platform/testing/manual_animation_driver.h"

#include <QCoreApplication>

namespace testing_support {

ManualAnimationDriver::ManualAnimationDriver() { install(); }

ManualAnimationDriver::~ManualAnimationDriver() { uninstall(); }

void ManualAnimationDriver::Step(int ms) {
  // Qt registers newly started animations from the event loop.
  QCoreApplication::processEvents();
  while (ms > 0) {
    const int frame = ms < kFrameMs ? ms : kFrameMs;
    elapsed_ms_ += frame;
    ms -= frame;
    if (isRunning()) advance();
    QCoreApplication::processEvents();
  }
}

}  // namespace testing_support
