// The simulator's trace: every boundary the module crosses, as one JSON object per line, in
// the order things happened. Lines carry the step that caused them ("step", -1 for start-up),
// the platform clock ("t_ms") and the real wall time ("t_wall_ms", the only field that differs
// between two headless runs of one scenario).
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/base/observer.h"
#include "simulator/value_mapping.h"

namespace sim {

class TraceWriter : public base::observer::BoundaryObserver {
 public:
  // out may be null (no trace written; lines are still kept for expects).
  explicit TraceWriter(std::FILE* out);
  ~TraceWriter() override;

  void OnBoundary(std::string_view kind, const base::variant::Variant& fields) override;

  // Lines the simulator writes itself (query, reply, widget, screenshot, expect, request).
  void Write(const std::string& kind, Json fields);

  void BeginStep(int index);
  int step() const { return step_; }
  // Lines written since BeginStep (the step's own lines, for its expects).
  const std::vector<Json>& step_lines() const { return step_lines_; }

  // Called for every line written (the interactive panel shows them live).
  void SetLineListener(std::function<void(const Json&)> listener) {
    listener_ = std::move(listener);
  }
  // Platform log lines go to standard error at or below this level (0: none).
  void SetPlatformLogLevel(int level) { platform_log_level_ = level; }

  static std::string PageName(int vm_type);

 private:
  Json Convert(std::string_view kind, const base::variant::Variant& fields, bool* keep);
  // Addresses differ from run to run: a contributed item's "view" is written as its order of
  // first appearance (1, 2, ...), in property values and in log texts alike.
  void NormalizeViews(Json* value);
  std::string NormalizeViewsInText(std::string text) const;
  uint64_t ViewOrdinal(uint64_t address);

  std::FILE* out_;
  int step_ = -1;
  std::vector<Json> step_lines_;
  std::function<void(const Json&)> listener_;
  int platform_log_level_ = 3;
  std::vector<uint64_t> view_addresses_;
};

}  // namespace sim
