// The module's start-up as the client runs it, measured in instructions under callgrind:
// Activate, the runtime's Activate and the after-meeting model's creation and Init. Run it as
//   valgrind --tool=callgrind --instr-atstart=no activate_instructions
// and read the "totals:" line; outside valgrind it runs the same code once and says so.
#include <valgrind/callgrind.h>

#include <QApplication>

#include <cstdio>
#include <cstdlib>

#include "after_meeting/host/host_ids.h"
#include "after_meeting/module/after_meeting_module.h"
#include "after_meeting/module/module_constants.h"
#include "platform/base/log.h"
#include "platform/framework/module_service.h"
#include "platform/testing/scriptable_host_model.h"

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  base::log::SetLogLevel(0);
  namespace h = after_meeting::host;
  // The host's models exist before any module starts.
  for (int type :
       {h::meeting::kModel, h::after_meeting_app::kModel, h::notification::kModel,
        h::record_state::kModel, h::banner::kModel, h::member::kModel, h::inmeeting_window::kModel,
        h::apps::kModel, h::records::kModel, h::member_query::kModel})
    testing_support::InstallHostModel(type);
  auto config = testing_support::InstallConfigurationModel();

  CALLGRIND_START_INSTRUMENTATION;
  after_meeting::ModuleActivate();
  auto* runtime =
      framework::module::GetModuleService()->GetModuleRuntime(after_meeting::kModuleName);
  runtime->Activate();
  framework::Model* model =
      runtime->GetModelProvider()->ModelOf(after_meeting::kTypeAfterMeetingModel);
  CALLGRIND_STOP_INSTRUMENTATION;

  std::printf("activate_instructions: model %s, %s\n", model ? "initialised" : "MISSING",
              RUNNING_ON_VALGRIND ? "measured" : "not under valgrind (nothing measured)");
  after_meeting::ModuleDeactivate();
  testing_support::RemoveAllHostModels();
  return model ? 0 : 1;
}
