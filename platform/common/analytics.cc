#include "platform/common/analytics.h"

#include "platform/base/observer.h"
#include "platform/base/variant.h"

namespace velmo_common {
namespace utils {
namespace analytics {

namespace {
ReportSink& Sink() {
  static auto* sink = new ReportSink();
  return *sink;
}

void Report(const std::string& event_id, const Properties* props) {
  base::observer::Notify("report", [&] {
    base::variant::Variant::Map m;
    m["id"] = event_id;
    if (props) {
      base::variant::Variant::Map p;
      for (const auto& [k, v] : *props) p[k] = v;
      m["props"] = base::variant::Variant(std::move(p));
    }
    return base::variant::Variant(std::move(m));
  });
  if (Sink()) Sink()(event_id, props);
}
}  // namespace

void LogEvent(const std::string& event_id) { Report(event_id, nullptr); }

void LogEventWithProperties(const std::string& event_id, const Properties& properties) {
  Report(event_id, &properties);
}

void SetReportSink(ReportSink sink) { Sink() = std::move(sink); }

}  // namespace analytics
}  // namespace utils
}  // namespace velmo_common
