// The module contributes no extensions: every request is logged and answered with nothing.
#pragma once

#include "platform/framework/extension.h"

namespace after_meeting {

class AfterMeetingExtensionProvider : public framework::extension::ExtensionProviderBase {
 protected:
  std::shared_ptr<framework::Extension> InnerBuild(
      const framework::ExtensionBuilderParam& param) override;
};

}  // namespace after_meeting
