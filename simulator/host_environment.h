// The host side of a scenario: the meeting and account facts, the configuration model, the
// embedded back end, the host models and the clock, set up from a scenario and changed by its
// "set" steps.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/testing/data_center_backend.h"
#include "platform/testing/manual_animation_driver.h"
#include "platform/testing/manual_clock.h"
#include "platform/testing/scriptable_host_model.h"
#include "simulator/scenario.h"

namespace sim {

class HostEnvironment {
 public:
  static constexpr uint64_t kDefaultClockMs = 1767225600000ULL;

  explicit HostEnvironment(bool headless);
  ~HostEnvironment();

  // Sets everything up from the scenario; false with an error naming the scenario path.
  bool Apply(const Scenario& scenario, ScenarioError* error);
  // A "set" step's body at path.
  bool ApplySet(const Json& body, const std::string& path, ScenarioError* error);

  testing_support::ManualClock* clock() { return clock_.get(); }
  // Headless runs move animations in steps of their own time; null with a real window.
  testing_support::ManualAnimationDriver* animations() { return animations_.get(); }
  testing_support::DataCenterBackend& backend() { return backend_; }
  bool headless() const { return headless_; }

 private:
  bool ApplyPlatform(const Json& platform, const std::string& path, ScenarioError* error);
  bool ApplyConfigEntry(const std::string& key, const Json& value, const std::string& path,
                        ScenarioError* error);
  bool ApplyHostModel(int type, const Json& answers, const std::string& path, ScenarioError* error);
  void ApplyBackendMeeting(const std::string& id, const Json& entry);
  void PublishFacts();

  bool headless_;
  std::unique_ptr<testing_support::ManualClock> clock_;
  std::unique_ptr<testing_support::ManualAnimationDriver> animations_;
  testing_support::DataCenterBackend backend_;
  std::shared_ptr<testing_support::ConfigurationHostModel> config_model_;
  Json platform_ = Json::object();  // the keys set so far
};

}  // namespace sim
