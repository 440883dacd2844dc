// The meeting-end request over loopback, from Run to the completion callback, against the same
// request sent with a bare QNetworkAccessManager to the same embedded back end.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "after_meeting/model/get_meeting_end_pop_up_info_request.h"
#include "bench/bench_support.h"
#include "platform/base/json.h"
#include "platform/base/log.h"
#include "platform/sdk/environment.h"
#include "platform/testing/data_center_backend.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace env = velmosdk::utils::environment;

constexpr char kMeetingId[] = "8812345678";

testing_support::DataCenterBackend& Backend() {
  static auto* backend = [] {
    auto* b = new testing_support::DataCenterBackend();
    b->Start();
    b->SetExpectedToken(env::kDefaultAccountToken);
    base::json::JsonValue entry;
    base::json::JsonValue::Parse(
        R"({"biz_code":0,"msg":"","data":{"info":{"begin_time":"1767258000000",)"
        R"("duration_time":"2700000","join_uid_num":"5","join_time":"1767258060000",)"
        R"("cumulative_time":"2640000"}}})",
        &entry);
    b->SetMeeting(kMeetingId, entry);
    env::SetCgiBaseUrl(b->BaseUrl());
    env::SetAccountToken(env::kDefaultAccountToken);
    return b;
  }();
  return *backend;
}

void ReportMedian(benchmark::State& state, std::vector<double>& ms) {
  if (ms.empty()) return;
  std::nth_element(ms.begin(), ms.begin() + ms.size() / 2, ms.end());
  state.counters["median_ms"] = ms[ms.size() / 2];
}

void BM_Project_MeetingEndRequest(benchmark::State& state) {
  Backend();
  base::log::SetLogLevel(0);
  after_meeting::PluginGetMeetingEndPopUpInfoReqInfo info;
  info.meeting_id = 8812345678ULL;
  info.app_uid = "144115198765432100";
  info.app_id = 200000001;
  std::vector<double> ms;
  for (auto _ : state) {
    QEventLoop loop;
    bool done = false;
    const auto start = Clock::now();
    auto request = std::make_shared<after_meeting::GetMeetingEndPopUpInfoRequest>();
    request->SetRequestInfo(info);
    request->Run([&](const velmosdk::plugin::Result*) {
      done = true;
      loop.quit();
    });
    if (!done) loop.exec();
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  ReportMedian(state, ms);
}

void BM_Baseline_MeetingEndRequest(benchmark::State& state) {
  Backend();
  QNetworkAccessManager manager;
  const QByteArray body = R"({"meeting_id":"8812345678","open_room_num":0,"meeting_type":0,)"
                          R"("app_uid":"144115198765432100","app_id":200000001})";
  std::vector<double> ms;
  for (auto _ : state) {
    const auto start = Clock::now();
    QNetworkRequest request(QUrl(QString::fromStdString(
        Backend().BaseUrl() + testing_support::DataCenterBackend::kMeetingEndPopUpInfoPath)));
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
    request.setRawHeader("Authorization", QByteArray("Bearer ") + env::kDefaultAccountToken);
    QNetworkReply* reply = manager.post(request, body);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) loop.exec();
    benchmark::DoNotOptimize(QJsonLikeParse(reply->readAll()));
    reply->deleteLater();
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  ReportMedian(state, ms);
}

}  // namespace

BENCHMARK(BM_Project_MeetingEndRequest)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(BenchIterations(300));
BENCHMARK(BM_Baseline_MeetingEndRequest)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(BenchIterations(300));

VELMO_BENCH_MAIN()
