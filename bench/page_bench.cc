// The close-meeting window against the same window written with plain Qt, side by side in one
// run (each iteration times one of each, so drift of the machine hits both alike):
//   - from the controller's "show" to the window's first painted frame;
//   - from the meeting-end answer leaving the model to the page laid out with all its data;
//   - the cost of the page's application-wide event filter on events that are not presses.
// Medians go to the counters project_ms / baseline_ms / ratio; the filter reports the fastest
// round of each side as project_ns / baseline_ns.
#include <QAbstractEventDispatcher>
#include <QPointer>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "after_meeting/conclusion/after_meeting_conclusion_view.h"
#include "after_meeting/conclusion/after_meeting_info_cell_widget.h"
#include "bench/baseline/window_baseline.h"
#include "bench/bench_support.h"
#include "bench/page_host.h"
#include "platform/widgets/qf_label.h"
#include "platform/widgets/qf_plain_label.h"
#include "platform/widgets/qf_push_button.h"

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void ReportPair(benchmark::State& state, const std::vector<double>& project,
                const std::vector<double>& baseline) {
  const double p = Median(project), b = Median(baseline);
  state.counters["project_ms"] = p;
  state.counters["baseline_ms"] = b;
  state.counters["ratio"] = b > 0 ? p / b : 0;
}

// One project and one baseline measurement per iteration, so both see the same machine state.
template <class Project, class Baseline>
void MeasureSideBySide(benchmark::State& state, Project& project_once, Baseline& baseline_once) {
  std::vector<double> project, baseline;
  for (auto _ : state) {
    project.push_back(project_once());
    baseline.push_back(baseline_once());
    state.SetIterationTime(project.back() / 1000);
  }
  ReportPair(state, project, baseline);
}

void BM_ShowToFirstPaint(benchmark::State& state) {
  bench::PageHost host(bench::PageHost::kAnswerNever);
  bench::PaintWatch watch;
  const baseline::LoadingTexts loading = bench::FirstFrameTexts(host, watch);
  if (loading.conclusion.title.isEmpty() || loading.tags.isEmpty() ||
      loading.conclusion_accessible.page.name.isEmpty() ||
      loading.feedback_accessible.tags.size() != loading.tags.size()) {
    state.SkipWithError("the page carried no texts at its first frame");
    return;
  }
  const auto project_once = [&] {
    const auto start = Clock::now();
    host.Open();
    watch.Wait();
    const double ms = MsSince(start);
    host.Close();
    return ms;
  };
  const auto baseline_once = [&] {
    const auto start = Clock::now();
    auto window = std::make_unique<baseline::Window>(loading);
    window->dialog()->show();
    watch.Wait();
    const double ms = MsSince(start);
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return ms;
  };
  for (int i = 0; i < 3; ++i) project_once(), baseline_once();  // caches, fonts, styles
  MeasureSideBySide(state, project_once, baseline_once);
}

void BM_AnswerToLaidOut(benchmark::State& state) {
  bench::PageHost host(bench::PageHost::kAnswerNever);
  bench::PaintWatch watch;
  const baseline::LoadingTexts loading = bench::FirstFrameTexts(host, watch);
  baseline::ConclusionTexts texts;
  bool request_seen = true;
  const auto project_once = [&] {
    host.Open();
    watch.Wait();
    request_seen = host.SettleForAnswer() && request_seen;
    const auto start = Clock::now();
    host.DeliverAnswer();
    bench::RunLayout();
    const double ms = MsSince(start);
    texts = bench::TextsOf(*host.View()->conclusion_view());
    host.Close();
    return ms;
  };
  const auto baseline_once = [&] {
    auto window = std::make_unique<baseline::Window>(loading);
    window->dialog()->show();
    watch.Wait();
    bench::PageHost::Settle(window->dialog());
    const auto start = Clock::now();
    window->conclusion().SetTexts(texts);
    window->Fit();
    bench::RunLayout();
    const double ms = MsSince(start);
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return ms;
  };
  for (int i = 0; i < 3; ++i) project_once(), baseline_once();
  if (texts.title.isEmpty() || texts.start_time.isEmpty()) {
    state.SkipWithError("the page showed no meeting data");
    return;
  }
  MeasureSideBySide(state, project_once, baseline_once);
  if (!request_seen) state.SkipWithError("the back end never saw the meeting-end request");
}

// Each round sends the same events with the page's filter installed and without it.
void BM_EventFilterPerEvent(benchmark::State& state) {
  bench::PageHost host(bench::PageHost::kAnswerNever);
  {
    // Gone before the rounds: without the page's filter there is no application-wide filter.
    bench::PaintWatch watch;
    host.Open();
    watch.Wait();
  }
  host.DeliverAnswer();
  bench::PageHost::RunPosted();
  after_meeting::AfterMeetingConclusionView* page = host.View()->conclusion_view();
  bench::NonPressEvents events(page->widgets().title);
  if (!events.Ready()) {
    state.SkipWithError("the page has no window");
    return;
  }
  constexpr int kEvents = 4000;
  const auto send_all = [&] {
    const auto start = Clock::now();
    events.Send(kEvents);
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count() / (2 * kEvents);
  };
  for (int i = 0; i < 20; ++i) send_all();
  std::vector<double> with, without;
  for (auto _ : state) {
    with.push_back(send_all());
    QCoreApplication::instance()->removeEventFilter(page);
    without.push_back(send_all());
    QCoreApplication::instance()->installEventFilter(page);
    state.SetIterationTime(with.back() * 2 * kEvents / 1e9);
  }
  // Noise only ever adds time; the fastest round of each is the closest to what the filter
  // itself costs.
  const double w = *std::min_element(with.begin(), with.end());
  const double wo = *std::min_element(without.begin(), without.end());
  state.counters["project_ns"] = w;
  state.counters["baseline_ns"] = wo;
  state.counters["ratio"] = wo > 0 ? w / wo : 0;
}

}  // namespace

BENCHMARK(BM_ShowToFirstPaint)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(BenchIterations(100));
BENCHMARK(BM_AnswerToLaidOut)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(BenchIterations(100));
BENCHMARK(BM_EventFilterPerEvent)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(BenchIterations(200));

VELMO_BENCH_MAIN()
