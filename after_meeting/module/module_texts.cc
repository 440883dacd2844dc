#include "after_meeting/module/module_texts.h"

#include "after_meeting/module/after_meeting_module.h"
#include "after_meeting/module/after_meeting_module_runtime.h"
#include "platform/framework/localized_strings.h"

namespace after_meeting {

std::string ModuleText(uint32_t id) {
  AfterMeetingModuleRuntime* runtime = GetModuleRuntime();
  framework::AssetProvider* assets = runtime ? runtime->GetAssetProvider() : nullptr;
  return assets ? assets->GetLocalizedString(id) : std::string();
}

LanguageWatch::LanguageWatch(std::function<void()> on_change)
    : id_(framework::LocalizedStrings::Instance().AddLanguageListener(
          [on_change = std::move(on_change)](const std::string&) { on_change(); })) {}

LanguageWatch::~LanguageWatch() {
  framework::LocalizedStrings::Instance().RemoveLanguageListener(id_);
}

}  // namespace after_meeting
