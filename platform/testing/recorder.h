// testing_support::Recorder: an observer that keeps every boundary crossing, for assertions.
//
//   testing_support::Recorder rec;                  // attaches itself
//   ... drive the module ...
//   EXPECT_TRUE(rec.HasLog("vm can not be null!"));
//   auto reports = rec.Of("report");
//
// Thread-safe (logs may come from other threads).
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/observer.h"
#include "platform/base/variant.h"

namespace testing_support {

struct Crossing {
  std::string kind;
  base::variant::Variant fields;
};

class Recorder : public base::observer::BoundaryObserver {
 public:
  explicit Recorder(bool attach = true);
  ~Recorder() override;
  void OnBoundary(std::string_view kind, const base::variant::Variant& fields) override;

  std::vector<Crossing> All() const;
  std::vector<base::variant::Variant> Of(std::string_view kind) const;
  // Texts of log lines, optionally only those of one level.
  std::vector<std::string> LogTexts(int level = -1) const;
  // Whether a log line's text equals text (or starts with it when prefix is true).
  bool HasLog(std::string_view text, bool prefix = false) const;
  int CountLog(std::string_view text, bool prefix = false) const;
  // The level of the first log line with exactly this text, or -1.
  int LogLevelOf(std::string_view text) const;
  void Clear();

 private:
  mutable std::mutex mutex_;
  std::vector<Crossing> crossings_;
  base::observer::BoundaryObserver* previous_ = nullptr;
  bool attached_ = false;
};

}  // namespace testing_support
