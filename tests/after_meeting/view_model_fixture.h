// Sets the module up as the host does (host models first, then activation and the runtime
// started) and attaches view models to a recording view, on the manual clock.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "after_meeting/host/host_ids.h"
#include "after_meeting/model/model_ids.h"
#include "after_meeting/module/after_meeting_module.h"
#include "after_meeting/module/module_constants.h"
#include "platform/framework/module_service.h"
#include "platform/testing/manual_clock.h"
#include "platform/testing/recorder.h"
#include "platform/testing/scriptable_host_model.h"
#include "tests/after_meeting/module_values.h"

namespace after_meeting::test {

// Keeps every value of the bound properties and every state a view model publishes.
struct RecordingView {
  void Attach(framework::StatefulViewModel* vm, std::vector<int> props = {}) {
    for (int prop : props)
      vm->BindProp(prop, [this, prop](const Variant* v) { values[prop].push_back(*v); });
    vm->SetStateListener([this](int state, const Variant*) { states.push_back(state); });
    vm->OnViewAttached(nullptr);
  }
  Variant Last(int prop) { return values[prop].empty() ? Variant() : values[prop].back(); }
  std::map<int, std::vector<Variant>> values;
  std::vector<int> states;
};

class ViewModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::RemoveAllHostModels();
    app_ = testing_support::InstallHostModel(host::after_meeting_app::kModel);
    reports_ = testing_support::InstallHostModel(host::feedback_report::kModel);
    velmo::ClearModuleConfigDirectories();
    velmo::AddModuleConfigDirectory(VELMO_OUTPUT_DIR);
    ModuleActivate();
    runtime_ = framework::module::GetModuleService()->GetModuleRuntime(kModuleName);
    runtime_->Activate();
  }
  void TearDown() override {
    ModuleDeactivate();
    testing_support::RemoveAllHostModels();
  }

  std::shared_ptr<framework::StatefulViewModel> Build(int type) {
    return runtime_->GetViewModelProvider()->BuildViewModel(type);
  }
  framework::Model* model() {
    return runtime_->GetModelProvider()->ModelOf(kTypeAfterMeetingModel);
  }
  // The host hands the feedback info over as JSON text.
  void SendFeedbackInfo(const std::string& json) {
    Variant text = json;
    app_->Fire(host::after_meeting_app::kEventSetFeedbackInfo, &text);
  }
  std::vector<Variant> Fired(int event) const { return FiredBy(rec_, event); }

  testing_support::Recorder rec_;
  testing_support::ManualClock clock_;
  std::shared_ptr<testing_support::ScriptableHostModel> app_, reports_;
  framework::module::IModuleRuntime* runtime_ = nullptr;
};

}  // namespace after_meeting::test
