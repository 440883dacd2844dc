// velmo_common::utils::analytics: analytics reports. Every report is announced on the observer
// seam as kind "report" and handed to the installed sink (the simulator writes it out).
#pragma once

#include <functional>
#include <map>
#include <string>

namespace velmo_common {
namespace utils {
namespace analytics {

using Properties = std::map<std::string, std::string>;

void LogEvent(const std::string& event_id);
void LogEventWithProperties(const std::string& event_id, const Properties& properties);

// The host's report sink: props is null for LogEvent.
using ReportSink = std::function<void(const std::string& event_id, const Properties* props)>;
void SetReportSink(ReportSink sink);

}  // namespace analytics
}  // namespace utils
}  // namespace velmo_common
