// One main for every suite: a QApplication on the offscreen platform, so widget tests and
// event-loop tests run without a display.
#include <QApplication>

#include <gtest/gtest.h>

#include "platform/base/scope_singleton.h"

#if defined(__SANITIZE_ADDRESS__)
// The offscreen platform plug-in leaves its screen behind when the application object goes;
// that is Qt's, not ours, and would fail every sanitized run (test discovery included).
extern "C" const char* __lsan_default_suppressions() { return "leak:libqoffscreen.so\n"; }
#endif

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  const int result = RUN_ALL_TESTS();
  base::DestroyScopeSingletons();
  return result;
}
