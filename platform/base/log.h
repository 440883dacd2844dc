// base::log: leveled logging. A statement runs only when GetLogLevel() is at least its level;
// its text is collected in a per-thread stream and handed, with the source file, line and
// function, to PrintLog, which cuts texts over 1024 bytes (except at level 7) and announces the
// line on the observer seam as kind "log". Optionally lines are echoed to standard error.
//
//   VLOG(6) << "[After meeting] leave meeting" << params.ToString();
//
// Levels in use: 1 errors and notable facts, 3 warnings, 6 details, 7 uncut dumps.
// Thread-safe: any thread may log.
#pragma once

#include <sstream>
#include <string>
#include <string_view>

namespace base {
namespace log {

constexpr size_t kMaxLogTextLength = 1024;

int GetLogLevel();
void SetLogLevel(int level);

// Lines at or below this level are also written to standard error; 0 (the default, unless
// the environment variable VELMO_LOG_STDERR names a level) writes none.
int GetStderrLevel();
void SetStderrLevel(int level);

void PrintLog(int level, const char* file, int line, const char* function, std::string_view text);

// One log statement; flushes to PrintLog when it goes out of scope.
class LogMessage {
 public:
  LogMessage(int level, const char* file, int line, const char* function);
  ~LogMessage();
  LogMessage(const LogMessage&) = delete;
  LogMessage& operator=(const LogMessage&) = delete;
  std::ostream& stream() { return *stream_; }

 private:
  int level_;
  const char* file_;
  int line_;
  const char* function_;
  std::ostringstream* stream_;
  bool owns_stream_;
};

}  // namespace log
}  // namespace base

#define VLOG(level)                                                                       \
  for (bool vlog_once_ = ::base::log::GetLogLevel() >= (level); vlog_once_; vlog_once_ = false) \
  ::base::log::LogMessage((level), __FILE__, __LINE__, __func__).stream()
