// One main for every suite: a QApplication on the offscreen platform, so widget tests and
// event-loop tests run without a display.
#include <QApplication>

#include <gtest/gtest.h>

#include "platform/base/scope_singleton.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  const int result = RUN_ALL_TESTS();
  base::DestroyScopeSingletons();
  return result;
}
