// Stand-ins for the extensions other modules contribute to the module's pages. A scenario names
// them under "extensions"; each builds a small labelled view that fills the container the page
// places it in, and its item updates are sent by "extension_update" steps.
#pragma once

#include <string>
#include <vector>

#include "platform/base/variant.h"

namespace sim {

class StandInExtensions {
 public:
  StandInExtensions() = default;
  // Unregisters every stand-in this object registered.
  ~StandInExtensions();
  StandInExtensions(const StandInExtensions&) = delete;
  StandInExtensions& operator=(const StandInExtensions&) = delete;

  void Register(const std::string& extension_id);
  bool IsRegistered(const std::string& extension_id) const;
  // Sends the item to every page that activated the extension; how many received it.
  int SendItemUpdate(const std::string& extension_id, const base::variant::Variant& item);

  // The object name of the stand-in's view, so that scenarios can find it.
  static constexpr char kViewObjectName[] = "sim_extension_view";

 private:
  std::vector<std::string> ids_;
};

}  // namespace sim
