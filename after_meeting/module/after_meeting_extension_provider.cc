#include "after_meeting/module/after_meeting_extension_provider.h"

#include "after_meeting/host/log.h"

namespace after_meeting {

std::shared_ptr<framework::Extension> AfterMeetingExtensionProvider::InnerBuild(
    const framework::ExtensionBuilderParam& param) {
  AM_LOG(1) << "extension_id: " << param.extension_id;
  return nullptr;
}

}  // namespace after_meeting
