// framework::Service: a host service answering numbered commands (routing, navigation, ...).
#pragma once

#include "platform/base/variant.h"

namespace framework {

class Service {
 public:
  virtual ~Service() = default;
  // Generic command entry; false when the command is not served.
  virtual bool Call(int command, const base::variant::Variant* param,
                    base::variant::Variant* result) {
    return false;
  }
};

}  // namespace framework
