// The host a module-level fuzz target runs in: every host model the module talks to, the
// configuration model, the manual clock, and the module activated with its runtime started.
// Made once per process; each input then builds and drops its own pages.
#pragma once

#include <QApplication>
#include <QCoreApplication>

#include <cstdlib>
#include <memory>
#include <vector>

#include "after_meeting/host/host_ids.h"
#include "after_meeting/module/after_meeting_module.h"
#include "after_meeting/module/module_constants.h"
#include "platform/base/log.h"
#include "platform/framework/module_service.h"
#include "platform/sdk/environment.h"
#include "platform/testing/manual_clock.h"
#include "platform/testing/scriptable_host_model.h"

namespace fuzz_support {

struct FuzzHost {
  std::vector<std::shared_ptr<testing_support::ScriptableHostModel>> models;
  std::shared_ptr<testing_support::ConfigurationHostModel> config;
  testing_support::ManualClock* clock = nullptr;
  framework::module::IModuleRuntime* runtime = nullptr;

  testing_support::ScriptableHostModel* Model(int type) {
    for (auto& m : models)
      if (m->type() == type) return m.get();
    return nullptr;
  }
  void ClearCalls() {
    for (auto& m : models) m->ClearCalls();
    config->ClearCalls();
  }
};

// widgets: a QApplication on the offscreen platform, for targets that build views.
inline FuzzHost& SetUpFuzzHost(bool widgets) {
  static FuzzHost* host = [widgets] {
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    if (widgets) {
      setenv("QT_QPA_PLATFORM", "offscreen", 1);
      new QApplication(argc, argv);
    } else {
      new QCoreApplication(argc, argv);
    }
    base::log::SetStderrLevel(0);
    // The module's manifest and resources lie beside the program, as beside the library in a
    // client: without them the pages build without their texts and images, and every build
    // retries each missing image.
    velmo::AddModuleConfigDirectory(QCoreApplication::applicationDirPath().toStdString());
    // Requests fail at once: the back end's answers have their own target.
    velmosdk::utils::environment::SetCgiBaseUrl("");
    namespace h = after_meeting::host;
    auto* made = new FuzzHost;
    for (int type : {h::meeting::kModel, h::after_meeting_app::kModel, h::record_state::kModel,
                     h::banner::kModel, h::apps::kModel, h::priority_events::kModel,
                     h::push::kModel, h::banner_shown::kModel, h::feedback_report::kModel,
                     h::records::kModel, h::member::kModel, h::member_query::kModel,
                     h::notification::kModel, h::inmeeting_window::kModel})
      made->models.push_back(testing_support::InstallHostModel(type));
    made->config = testing_support::InstallConfigurationModel();
    made->clock = new testing_support::ManualClock();
    after_meeting::ModuleActivate();
    made->runtime =
        framework::module::GetModuleService()->GetModuleRuntime(after_meeting::kModuleName);
    made->runtime->Activate();
    return made;
  }();
  return *host;
}

inline void Check(bool condition) {
  if (!condition) __builtin_trap();
}

inline void Drain() {
  for (int i = 0; i < 4; ++i) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
  }
}

}  // namespace fuzz_support
