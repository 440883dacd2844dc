#include "platform/framework/controller_manager.h"

namespace framework {
std::shared_ptr<Controller> MakeNullController() { return std::make_shared<Controller>(); }
}  // namespace framework

ControllerManager* ControllerManager::Instance() {
  static ControllerManager* instance = new ControllerManager();
  return instance;
}

std::shared_ptr<framework::Controller> ControllerManager::ResolveForHost(const std::string& uri) {
  if (container_.closed_) return nullptr;
  if (auto made = FindForHost(uri)) return made;
  auto factory = container_.factory_func_map_.find(uri);
  if (factory == container_.factory_func_map_.end() || !factory->second) return nullptr;
  auto controller = factory->second();
  if (controller) container_.object_map_[uri] = controller;
  return controller;
}

std::shared_ptr<framework::Controller> ControllerManager::FindForHost(const std::string& uri) {
  if (container_.closed_) return nullptr;
  auto it = container_.object_map_.find(uri);
  return it == container_.object_map_.end() ? nullptr : it->second;
}

bool ControllerManager::IsRegisteredForHost(const std::string& uri) const {
  return container_.factory_func_map_.count(uri) > 0;
}
