#include "simulator/stand_in_controllers.h"

#include <memory>

#include "platform/base/observer.h"
#include "platform/framework/controller_manager.h"

namespace sim {

namespace {

using base::variant::Variant;

class StandInController : public framework::Controller {
 public:
  explicit StandInController(std::string uri) : uri_(std::move(uri)) {}

  void Call(const std::string& action, std::unique_ptr<Variant> params) override {
    Announce(action, params.get());
  }
  std::unique_ptr<Variant> CallHasResult(const std::string& action,
                                         std::unique_ptr<Variant> params) override {
    Announce(action, params.get());
    return nullptr;
  }

 private:
  void Announce(const std::string& action, const Variant* params) {
    base::observer::Notify("controller", [&] {
      Variant::Map m;
      m["uri"] = uri_;
      m["action"] = action;
      if (params) m["params"] = *params;
      return Variant(std::move(m));
    });
  }
  std::string uri_;
};

}  // namespace

const std::vector<std::string>& StandInControllers::Uris() {
  static const std::vector<std::string> uris = {
      "velmo://page/sidebar/outside_multi_tab_container_window",
      "velmo://page/sidebar/independent_container_window",
      "velmo://page/sidebar/independent_container_window_for_idea",
  };
  return uris;
}

StandInControllers::StandInControllers() {
  auto& container = ControllerManager::Instance()->container();
  for (const std::string& uri : Uris()) {
    if (container.factory_func_map_.count(uri)) continue;
    container.factory_func_map_[uri] = [uri]() -> std::shared_ptr<framework::Controller> {
      return std::make_shared<StandInController>(uri);
    };
    registered_.push_back(uri);
  }
}

StandInControllers::~StandInControllers() {
  auto& container = ControllerManager::Instance()->container();
  for (const std::string& uri : registered_) {
    container.factory_func_map_.erase(uri);
    container.object_map_.erase(uri);
  }
}

}  // namespace sim
