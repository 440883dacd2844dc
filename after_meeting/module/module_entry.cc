// The library's only exported symbols: the host's module loader finds them by plain name.
#include "after_meeting/module/after_meeting_module.h"

extern "C" {

__attribute__((visibility("default"))) void Activate() { after_meeting::ModuleActivate(); }

__attribute__((visibility("default"))) void Deactivate() { after_meeting::ModuleDeactivate(); }

}  // extern "C"
