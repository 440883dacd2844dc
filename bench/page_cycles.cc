// Idle cost and lifetime of the close-meeting window, driven through the controller as the
// client drives it. Not a Google Benchmark: each mode prints "key=value" lines for scripts/bench.
//
//   page_cycles timers      what keeps waking the process: while loading, and once the page is
//                           complete and idle
//   page_cycles cycles N    RSS before and after N show/close cycles (after warm-up cycles);
//                           run under valgrind's memcheck for the leak check
//   page_cycles filter      under callgrind (--instr-atstart=no): the same events sent with the
//                           page's application-wide filter and without it, one dump each
//   page_cycles show        under callgrind (--collect-atstart=no): the controller's "show" to
//                           the first painted frame, and the plain-Qt window built and shown to
//                           its first paint, ten of each, one dump each
//   page_cycles answer      under callgrind (--collect-atstart=no): the meeting-end answer to the
//                           page laid out, and the plain-Qt page given the same texts and laid
//                           out, ten of each, one dump each
#include <malloc.h>
#include <valgrind/callgrind.h>

#include <QAbstractAnimation>
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <set>
#include <string>

#include "after_meeting/conclusion/after_meeting_conclusion_view.h"
#include "bench/baseline/window_baseline.h"
#include "bench/page_host.h"
#include "platform/common/timer.h"
#include "platform/testing/manual_animation_driver.h"
#include "platform/widgets/animation_tracker.h"
#include "platform/widgets/qf_label.h"
#include "platform/widgets/qf_widget.h"

namespace {

struct WakeUps {
  int clock_timers = 0;  // the platform's timers (the countdown among them)
  int qt_timers = 0;     // Qt timers registered on any object the application can reach
  int animations = 0;    // running animations, each of which keeps the animation timer going
};

void Collect(QObject* object, std::set<QObject*>& seen) {
  if (!seen.insert(object).second) return;
  for (QObject* child : object->children()) Collect(child, seen);
}

WakeUps Count() {
  std::set<QObject*> objects;
  Collect(QCoreApplication::instance(), objects);
  for (QWidget* widget : QApplication::allWidgets()) Collect(widget, objects);
  WakeUps w;
  w.clock_timers = velmo_common::utils::timer::VLTimer::RunningCount();
  QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
  for (QObject* object : objects) {
    w.qt_timers += dispatcher->registeredTimers(object).size();
    if (auto* animation = qobject_cast<QAbstractAnimation*>(object))
      w.animations += animation->state() == QAbstractAnimation::Running &&
                      !animation->group();  // a group's children run with it
  }
  return w;
}

void Print(const char* phase, const WakeUps& w) {
  std::printf("%s_clock_timers=%d\n%s_qt_timers=%d\n%s_animations=%d\n", phase, w.clock_timers,
              phase, w.qt_timers, phase, w.animations);
}

bool PageComplete(bench::PageHost& host) {
  auto* view = host.View();
  if (!view || !view->conclusion_view()) return false;
  const auto& w = view->conclusion_view()->widgets();
  return w.frame && !w.skeleton->isVisible() && w.info_block->isVisible() &&
         w.app_panel->isVisible() && !w.app_panel->graphicsEffect();
}

int Timers() {
  {
    // Loading: the answer is held back, the skeleton shows.
    bench::PageHost host(bench::PageHost::kAnswerNever);
    host.Open();
    testing_support::RunLoopUntil([] { return false; }, 300);
    Print("loading", Count());
    host.Close();
  }
  bench::PageHost host(bench::PageHost::kAnswerAtOnce);
  host.Open();
  if (!testing_support::RunLoopUntil([&] { return PageComplete(host); }, 5000)) {
    std::printf("error=the page never completed\n");
    return 1;
  }
  // Idle: whatever was started on the way has had time to end.
  testing_support::RunLoopUntil([] { return false; }, 1500);
  Print("idle", Count());
  host.Close();
  return 0;
}

long RssKib() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  return -1;
}

int Cycles(int count) {
  bench::PageHost host(bench::PageHost::kAnswerAtOnce);
  testing_support::ManualAnimationDriver driver;  // expand animations end without waiting
  int incomplete = 0;
  const auto cycle = [&] {
    host.Open();
    if (!testing_support::RunLoopUntil([&] {
          driver.Step(16);
          // The fade effects go with deleteLater once the window has grown.
          QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
          return PageComplete(host);
        }))
      ++incomplete;
    host.Close();
  };
  for (int i = 0; i < 20; ++i) cycle();  // what lives for the whole process exists by now
  malloc_trim(0);
  const long before = RssKib();
  for (int i = 0; i < count; ++i) cycle();
  malloc_trim(0);
  const long after = RssKib();
  std::printf(
      "cycles=%d\nincomplete=%d\nrss_before_kib=%ld\nrss_after_kib=%ld\nrss_growth_kib=%ld\n",
      count, incomplete, before, after, after - before);
  return incomplete ? 1 : 0;
}

class EmptyFilter : public QObject {
 protected:
  bool eventFilter(QObject*, QEvent*) override { return false; }
};

// The events of the timed filter benchmark, counted in instructions instead: pointer moves over
// the page from the window system and plain events through the event loop.
int Filter() {
  bench::PageHost host(bench::PageHost::kAnswerNever);
  host.Open();
  host.DeliverAnswer();
  bench::PageHost::RunPosted();
  after_meeting::AfterMeetingConclusionView* page = host.View()->conclusion_view();
  bench::NonPressEvents events(page->widgets().title);
  if (!events.Ready()) return 1;
  constexpr int kEvents = 2000;
  const auto send_all = [&] { events.Send(kEvents); };
  send_all();
  CALLGRIND_START_INSTRUMENTATION;
  CALLGRIND_ZERO_STATS;
  send_all();
  CALLGRIND_DUMP_STATS_AT("with_filter");
  QCoreApplication::instance()->removeEventFilter(page);
  send_all();
  CALLGRIND_DUMP_STATS_AT("without_filter");
  // The least any application-wide filter costs: one that looks at nothing.
  EmptyFilter empty;
  QCoreApplication::instance()->installEventFilter(&empty);
  send_all();
  CALLGRIND_DUMP_STATS_AT("empty_filter");
  CALLGRIND_STOP_INSTRUMENTATION;
  QCoreApplication::instance()->removeEventFilter(&empty);
  QCoreApplication::instance()->installEventFilter(page);
  std::printf("events=%d\n", 2 * kEvents);
  return 0;
}

// Ten rounds of each side after the warm-up ones, one callgrind dump each: <name>_project and
// <name>_baseline. Each side toggles collection around the work it measures.
template <class Project, class Baseline>
void CountSideBySide(const std::string& name, Project& project, Baseline& baseline) {
  constexpr int kRounds = 10;
  CALLGRIND_ZERO_STATS;
  for (int i = 0; i < kRounds; ++i) project();
  CALLGRIND_DUMP_STATS_AT((name + "_project").c_str());
  for (int i = 0; i < kRounds; ++i) baseline();
  CALLGRIND_DUMP_STATS_AT((name + "_baseline").c_str());
  std::printf("%ss=%d\n", name.c_str(), kRounds);
}

// The timed show benchmark counted in instructions, which the machine's load does not move.
// Only the work from the request to the first paint is collected, not the closing.
int Show() {
  bench::PageHost host(bench::PageHost::kAnswerNever);
  bench::PaintWatch watch;
  const baseline::LoadingTexts loading = bench::FirstFrameTexts(host, watch);
  const auto project = [&] {
    CALLGRIND_TOGGLE_COLLECT;
    host.Open();
    watch.Wait();
    CALLGRIND_TOGGLE_COLLECT;
    host.Close();
  };
  const auto baseline = [&] {
    CALLGRIND_TOGGLE_COLLECT;
    auto window = std::make_unique<baseline::Window>(loading);
    window->dialog()->show();
    watch.Wait();
    CALLGRIND_TOGGLE_COLLECT;
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  };
  for (int i = 0; i < 3; ++i) project(), baseline();  // caches, fonts, styles
  CountSideBySide("show", project, baseline);
  return 0;
}

// The timed answer benchmark counted in instructions.
int Answer() {
  bench::PageHost host(bench::PageHost::kAnswerNever);
  bench::PaintWatch watch;
  const baseline::LoadingTexts loading = bench::FirstFrameTexts(host, watch);
  baseline::ConclusionTexts texts;
  bool request_seen = true;
  const auto project = [&] {
    host.Open();
    watch.Wait();
    request_seen = host.SettleForAnswer() && request_seen;
    CALLGRIND_TOGGLE_COLLECT;
    host.DeliverAnswer();
    bench::RunLayout();
    CALLGRIND_TOGGLE_COLLECT;
    texts = bench::TextsOf(*host.View()->conclusion_view());
    host.Close();
  };
  const auto baseline = [&] {
    auto window = std::make_unique<baseline::Window>(loading);
    window->dialog()->show();
    watch.Wait();
    bench::PageHost::Settle(window->dialog());
    CALLGRIND_TOGGLE_COLLECT;
    window->conclusion().SetTexts(texts);
    window->Fit();
    bench::RunLayout();
    CALLGRIND_TOGGLE_COLLECT;
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  };
  for (int i = 0; i < 3; ++i) project(), baseline();
  if (texts.title.isEmpty()) {
    std::printf("error=the page showed no meeting data\n");
    return 1;
  }
  CountSideBySide("answer", project, baseline);
  if (!request_seen) {
    std::printf("error=the back end never saw the meeting-end request\n");
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  if (argc >= 2 && std::strcmp(argv[1], "timers") == 0) return Timers();
  if (argc >= 3 && std::strcmp(argv[1], "cycles") == 0) return Cycles(std::atoi(argv[2]));
  if (argc >= 2 && std::strcmp(argv[1], "filter") == 0) return Filter();
  if (argc >= 2 && std::strcmp(argv[1], "show") == 0) return Show();
  if (argc >= 2 && std::strcmp(argv[1], "answer") == 0) return Answer();
  std::fprintf(stderr, "usage: %s timers | cycles N | filter | show | answer\n", argv[0]);
  return 2;
}
