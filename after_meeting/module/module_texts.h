// Texts of the module's own string table in the host's current language, and a hook that runs
// when the language changes, so that open pages can name their controls anew.
//
//   label->setAccessibleName(QString::fromStdString(ModuleText(a11y::kBackName)));
//   LanguageWatch watch([this] { ApplyAccessibleTexts(); });   // ends with the watch
//
// UI thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace after_meeting {

// "" when the runtime is gone or the id is unknown.
std::string ModuleText(uint32_t id);

class LanguageWatch {
 public:
  explicit LanguageWatch(std::function<void()> on_change);
  ~LanguageWatch();
  LanguageWatch(const LanguageWatch&) = delete;
  LanguageWatch& operator=(const LanguageWatch&) = delete;

 private:
  int id_;
};

}  // namespace after_meeting
