// The scenario player: sets the host up from a scenario, loads the module as the client does
// (dlopen, Activate, the runtime from the module service), plays the steps and checks their
// expects against the trace.
#pragma once

#include <memory>
#include <string>

#include "simulator/host_environment.h"
#include "simulator/scenario.h"
#include "simulator/stand_in_controllers.h"
#include "simulator/stand_in_extension.h"
#include "simulator/trace_writer.h"

class QObject;
class QWidget;

namespace framework {
namespace module {
class IModuleRuntime;
}
}  // namespace framework

namespace sim {

struct PlayerOptions {
  bool headless = true;
  std::string module_path;
  std::string screenshots_dir;
  int log_level = 6;
};

class Player {
 public:
  // Exit statuses of a run.
  static constexpr int kOk = 0;
  static constexpr int kExpectFailed = 1;
  static constexpr int kBadScenario = 2;

  Player(const Scenario& scenario, const PlayerOptions& options, TraceWriter* trace);
  ~Player();

  // Sets up, loads the module, plays every step. On a fault that stops the run, *error says
  // where (the scenario path) and the result is kBadScenario.
  int Run(ScenarioError* error);

  // For the interactive panel: one step at a time.
  bool Start(ScenarioError* error);
  bool HasNextStep() const { return next_step_ < scenario_.steps.size(); }
  size_t next_step() const { return next_step_; }
  // Plays the next step; false (and error) when the step could not run.
  bool PlayNextStep(ScenarioError* error);
  void Finish();
  bool expects_failed() const { return expects_failed_; }

  // The container window, when the module shows one.
  static QWidget* FindContainerWindow();

 private:
  bool LoadModule(ScenarioError* error);
  void TraceBackendRequests();
  bool PlayStep(const Step& step, ScenarioError* error);
  bool CheckExpects(const Step& step, const std::string& path, ScenarioError* error);

  bool StepFire(const Json& body, const std::string& path, ScenarioError* error);
  bool StepCall(const Json& body, const std::string& path, ScenarioError* error);
  bool StepNavigate(const Json& body, const std::string& path, ScenarioError* error);
  bool StepController(const Json& body, const std::string& path, ScenarioError* error);
  bool StepAction(const Json& body, const std::string& path, ScenarioError* error);
  bool StepClick(const Json& body, const std::string& path, ScenarioError* error);
  bool StepType(const Json& body, const std::string& path, ScenarioError* error);
  bool StepInspect(const Json& body, const std::string& path, ScenarioError* error);
  bool StepAdvance(const Json& body, const std::string& path, ScenarioError* error);
  bool StepSettle(const std::string& path, ScenarioError* error);
  bool StepScreenshot(const Json& body, const std::string& path, ScenarioError* error);
  bool StepAuthState(const Json& body, const std::string& path, ScenarioError* error);
  bool StepExtensionUpdate(const Json& body, const std::string& path, ScenarioError* error);
  bool StepDeactivate();

  // The body value at key with its $vars replaced, as a Variant; has_value false when absent.
  bool ValueOf(const Json& body, const char* key, const std::string& path, bool* has_value,
               Variant* out, ScenarioError* error);
  QWidget* FindWidget(const std::string& selector_text, bool visible_only, const std::string& path,
                      ScenarioError* error);
  void RunPendingEvents();
  void StepAnimations(int64_t ms);
  void WaitForSentRequestsToArrive();
  framework::module::IModuleRuntime* runtime();

  const Scenario& scenario_;
  PlayerOptions options_;
  TraceWriter* trace_;
  std::unique_ptr<HostEnvironment> env_;
  std::unique_ptr<StandInExtensions> extensions_;
  std::unique_ptr<StandInControllers> controllers_;
  // Where the back end's thread posts its request lines; cleared (under its lock) before the
  // context goes, which drops the lines not yet written.
  struct RequestLines;
  std::shared_ptr<RequestLines> request_lines_;
  uint64_t sends_before_start_ = 0;
  Captures captures_;
  void* library_ = nullptr;
  void (*activate_)() = nullptr;
  void (*deactivate_)() = nullptr;
  bool deactivated_ = false;
  bool expects_failed_ = false;
  size_t next_step_ = 0;
};

}  // namespace sim
