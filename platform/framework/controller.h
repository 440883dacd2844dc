// Scheme controllers: objects addressed by URI ("velmo://page/...") that the host drives with
// named actions. framework::Controller is the base every module's controller derives from; its
// own actions do nothing, so the registry's null controller is a plain Controller.
#pragma once

#include <memory>
#include <string>

#include "platform/base/variant.h"

namespace framework {
namespace module {
class IModuleRuntime;
}
}  // namespace framework

namespace velmo {

class SchemeControllerInterface {
 public:
  virtual void* GetSchemeView() { return nullptr; }
  virtual ~SchemeControllerInterface() = default;
  virtual void Call(const std::string& action, std::unique_ptr<base::variant::Variant> params) = 0;
  virtual std::unique_ptr<base::variant::Variant> CallHasResult(
      const std::string& action, std::unique_ptr<base::variant::Variant> params) = 0;
};

}  // namespace velmo

namespace framework {

class Controller : public velmo::SchemeControllerInterface {
 public:
  Controller() = default;
  ~Controller() override = default;
  void Call(const std::string& action, std::unique_ptr<base::variant::Variant> params) override {}
  std::unique_ptr<base::variant::Variant> CallHasResult(
      const std::string& action, std::unique_ptr<base::variant::Variant> params) override {
    return nullptr;
  }
  void SetModuleRuntime(module::IModuleRuntime* runtime) { runtime_ = runtime; }
  module::IModuleRuntime* module_runtime() const { return runtime_; }

 private:
  module::IModuleRuntime* runtime_ = nullptr;
};

// A plain controller made by the platform, so that its code outlives any module library.
std::shared_ptr<Controller> MakeNullController();

}  // namespace framework
