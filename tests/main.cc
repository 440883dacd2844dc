// One main for every suite: a QApplication on the offscreen platform, so widget tests and
// event-loop tests run without a display.
#include <QApplication>

#include <gtest/gtest.h>

#include "platform/base/scope_singleton.h"

// Read by the sanitizer runtimes of the asan and tsan presets. Qt's offscreen platform plug-in
// keeps a few objects past exit, and the threads of Qt (network, D-Bus) and of the prebuilt HTTP
// server library synchronise in code that ThreadSanitizer cannot see; neither is ours to fix.
// A thread-sanitizer run, for example:
//   cmake --preset tsan && cmake --build --preset tsan --target model_tests -j2 &&
//   ctest --preset tsan -R 'AfterMeeting|MeetingEnd|NumericString'
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
  return "leak:libqoffscreen.so\n"
         "leak:QScreen::QScreen\n"
         "leak:QPlatformScreen::QPlatformScreen\n"
         "leak:QWindowSystemInterface::handleScreenAdded\n"
         "leak:QPlatformCursor\n"
         "leak:QResource::registerResource\n";
}
extern "C" __attribute__((visibility("default"), used)) const char* __tsan_default_suppressions() {
  return "race:libQt5Core.so\n"
         "race:libQt5Network.so\n"
         "race:libQt5DBus.so\n"
         "race:libglib-2.0.so\n"
         "race:libcpp-httplib.so\n";
}

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  const int result = RUN_ALL_TESTS();
  base::DestroyScopeSingletons();
  return result;
}
