#include "platform/framework/authorize.h"

namespace framework {

AuthorizeStateHub& AuthorizeStateHub::Instance() {
  static auto* hub = new AuthorizeStateHub();
  return *hub;
}

int AuthorizeStateHub::AddListener(Listener listener) {
  const int id = next_id_++;
  listeners_[id] = std::move(listener);
  return id;
}

void AuthorizeStateHub::RemoveListener(int id) { listeners_.erase(id); }

void AuthorizeStateHub::Notify(int auth_state) {
  base::variant::Variant params;
  params["auth_state"] = auth_state;
  // Snapshot by id: a listener may remove itself or others.
  std::vector<int> ids;
  for (const auto& [id, listener] : listeners_) ids.push_back(id);
  for (int id : ids) {
    auto it = listeners_.find(id);
    if (it == listeners_.end()) continue;
    Listener listener = it->second;
    listener(params);
  }
}

}  // namespace framework
