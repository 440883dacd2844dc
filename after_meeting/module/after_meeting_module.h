// The module's entry: activation and deactivation, the runtime singleton and the UI-module
// routines. The exported C functions Activate and Deactivate (module_entry.cc) call
// ModuleActivate and ModuleDeactivate. All of it runs on the host's UI thread.
#pragma once

namespace framework {
namespace module {
class IModuleRuntime;
}
}  // namespace framework

namespace after_meeting {

class AfterMeetingModuleRuntime;

void ModuleActivate();
void ModuleDeactivate();

// The runtime, or null before the host asked for it and after deactivation.
AfterMeetingModuleRuntime* GetModuleRuntime();
// The factory handed to the host module service: makes the runtime once, then returns it.
framework::module::IModuleRuntime* CreateModuleRuntime();
void OnUiModuleLoad(framework::module::IModuleRuntime* runtime);
void OnUiModuleUnload();

}  // namespace after_meeting
