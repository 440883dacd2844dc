#include "platform/testing/recorder.h"

namespace testing_support {

Recorder::Recorder(bool attach) {
  if (attach) {
    previous_ = base::observer::SetObserver(this);
    attached_ = true;
  }
}

Recorder::~Recorder() {
  if (attached_) base::observer::SetObserver(previous_);
}

void Recorder::OnBoundary(std::string_view kind, const base::variant::Variant& fields) {
  std::lock_guard<std::mutex> lock(mutex_);
  crossings_.push_back({std::string(kind), fields});
}

std::vector<Crossing> Recorder::All() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return crossings_;
}

std::vector<base::variant::Variant> Recorder::Of(std::string_view kind) const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<base::variant::Variant> out;
  for (const Crossing& c : crossings_)
    if (c.kind == kind) out.push_back(c.fields);
  return out;
}

std::vector<std::string> Recorder::LogTexts(int level) const {
  std::vector<std::string> out;
  for (const auto& f : Of("log"))
    if (level < 0 || f.GetInt32("level") == level) out.push_back(f.GetString("text"));
  return out;
}

bool Recorder::HasLog(std::string_view text, bool prefix) const { return CountLog(text, prefix) > 0; }

int Recorder::CountLog(std::string_view text, bool prefix) const {
  int n = 0;
  for (const std::string& t : LogTexts()) {
    if (prefix ? std::string_view(t).substr(0, text.size()) == text : t == text) ++n;
  }
  return n;
}

int Recorder::LogLevelOf(std::string_view text) const {
  for (const auto& f : Of("log"))
    if (f.GetString("text") == text) return f.GetInt32("level");
  return -1;
}

void Recorder::Clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  crossings_.clear();
}

}  // namespace testing_support
