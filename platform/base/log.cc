#include "platform/base/log.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "platform/base/observer.h"
#include "platform/base/variant.h"

namespace base {
namespace log {

namespace {

std::atomic<int> g_level{6};

int InitialStderrLevel() {
  const char* env = std::getenv("VELMO_LOG_STDERR");
  return env ? std::atoi(env) : 0;
}
std::atomic<int> g_stderr_level{InitialStderrLevel()};

// The per-thread stream is reused by every statement; a statement written while another one
// on the same thread is still open (a logging ToString, say) gets a stream of its own.
thread_local std::ostringstream t_stream;
thread_local bool t_stream_ready = false;
thread_local bool t_stream_busy = false;

std::string_view CutText(int level, std::string_view text) {
  if (level == 7 || text.size() <= kMaxLogTextLength) return text;
  size_t n = kMaxLogTextLength;
  // Do not end in the middle of a UTF-8 sequence.
  while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  return text.substr(0, n);
}

}  // namespace

int GetLogLevel() { return g_level.load(std::memory_order_relaxed); }
void SetLogLevel(int level) { g_level.store(level, std::memory_order_relaxed); }
int GetStderrLevel() { return g_stderr_level.load(std::memory_order_relaxed); }
void SetStderrLevel(int level) { g_stderr_level.store(level, std::memory_order_relaxed); }

void PrintLog(int level, const char* file, int line, const char* function, std::string_view text) {
  std::string_view cut = CutText(level, text);
  observer::Notify("log", [&] {
    variant::Variant::Map m;
    m["level"] = level;
    m["text"] = std::string(cut);
    m["file"] = file ? file : "";
    m["line"] = line;
    m["function"] = function ? function : "";
    return variant::Variant(std::move(m));
  });
  if (level <= GetStderrLevel()) {
    static std::mutex mutex;
    std::lock_guard<std::mutex> lock(mutex);
    std::fprintf(stderr, "[%d] %s:%d %s: %.*s\n", level, file ? file : "", line,
                 function ? function : "", static_cast<int>(cut.size()), cut.data());
  }
}

LogMessage::LogMessage(int level, const char* file, int line, const char* function)
    : level_(level), file_(file), line_(line), function_(function) {
  if (!t_stream_busy) {
    if (!t_stream_ready) {
      t_stream << std::boolalpha;
      t_stream_ready = true;
    }
    t_stream.str(std::string());
    t_stream_busy = true;
    stream_ = &t_stream;
    owns_stream_ = false;
  } else {
    stream_ = new std::ostringstream();
    *stream_ << std::boolalpha;
    owns_stream_ = true;
  }
}

LogMessage::~LogMessage() {
  std::string text = stream_->str();
  if (owns_stream_) {
    delete stream_;
  } else {
    t_stream_busy = false;
  }
  PrintLog(level_, file_, line_, function_, text);
}

}  // namespace log
}  // namespace base
