// Makes the module's view models by type id.
#pragma once

#include <memory>

#include "platform/framework/view_model.h"

namespace after_meeting {

// A new view model whose type() is type, or empty (with a log line) for an unknown type.
std::shared_ptr<framework::StatefulViewModel> Build(int type);

}  // namespace after_meeting
