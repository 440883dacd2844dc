// The host module service: runtime factories by module name, the host's own models by type,
// the host services, and the UI-module loader registry. Also the module configuration
// (manifest) lookup.
//
//   GetModuleService()->RegisterModuleRuntimeCreator("after_meeting", &CreateModuleRuntime);
//   IModuleRuntime* rt = GetModuleService()->GetModuleRuntime("after_meeting");
//   Model* meeting = framework::module::GetAppModuleModel(514);   // null when absent
//
// UI thread only.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/framework/module_runtime.h"
#include "platform/framework/providers.h"

namespace framework {
namespace module {

using ModuleRuntimeCreator = std::function<IModuleRuntime*()>;

// The host's models, registered by the host (or a test) under their type.
class HostModelProvider : public ModelProvider {
 public:
  bool Init() override { return true; }
  void UnInit() override {}
  Model* ModelOf(int type) override;
  void Register(std::shared_ptr<Model> model);
  void Unregister(int type);
  void Clear();
  std::vector<int> Types() const;

 private:
  std::map<int, std::shared_ptr<Model>> models_;
};

// The host's view models (the image view model of type 52, ...), by type.
class HostViewModelProvider : public ViewModelProvider {
 public:
  using Creator = std::function<std::shared_ptr<StatefulViewModel>()>;
  std::shared_ptr<StatefulViewModel> BuildViewModel(int type) override;
  void RegisterCreator(int type, Creator creator) { creators_[type] = std::move(creator); }

 private:
  std::map<int, Creator> creators_;
};

class ModuleService {
 public:
  void RegisterModuleRuntimeCreator(const std::string& name, ModuleRuntimeCreator creator);
  void UnregisterModuleRuntimeCreator(const std::string& name);
  bool HasModuleRuntimeCreator(const std::string& name) const;
  // Runs the module's factory; null when none is registered.
  IModuleRuntime* GetModuleRuntime(const std::string& name);

  ModelProvider* GetModelProvider() { return &host_models_; }
  HostModelProvider& host_models() { return host_models_; }
  ViewModelProvider* GetViewModelProvider() { return &host_view_models_; }
  HostViewModelProvider& host_view_models() { return host_view_models_; }

  Service* GetRouterService();
  Service* GetNavigateService();
  Service* GetExtensionViewService() { return &extension_view_service_; }

 private:
  std::map<std::string, ModuleRuntimeCreator> creators_;
  HostModelProvider host_models_;
  HostViewModelProvider host_view_models_;
  Service extension_view_service_;
};

ModuleService* GetModuleService();
// A model of another module (the host's), or null.
Model* GetAppModuleModel(int type);

}  // namespace module
}  // namespace framework

using UiModuleLoadFunc = std::function<void(framework::module::IModuleRuntime*)>;
using UiModuleUnloadFunc = std::function<void()>;

class UiModuleLoaderRegister {
 public:
  static UiModuleLoaderRegister* GetInstance();
  void Register(const std::string& name, UiModuleLoadFunc load, UiModuleUnloadFunc unload);
  void Unregister(const std::string& name);
  bool IsRegistered(const std::string& name) const;
  // The host's side: run a module's UI load or unload routine; false when none is registered.
  bool Load(const std::string& name, framework::module::IModuleRuntime* runtime);
  bool Unload(const std::string& name);

 private:
  UiModuleLoaderRegister() = default;
  struct Entry {
    UiModuleLoadFunc load;
    UiModuleUnloadFunc unload;
  };
  std::map<std::string, Entry> entries_;
};

namespace velmo {

// Where manifests are searched, in order: directories added here, then VELMO_MODULE_DIR.
void AddModuleConfigDirectory(const std::string& dir);
void ClearModuleConfigDirectories();
// The manifest "<name>.manifest.json" of a module. Never null: a module without a readable
// manifest gets one that carries only its name (and a log line says why).
std::shared_ptr<framework::module::ModuleManifest> GetModuleConfigByName(const std::string& name);

}  // namespace velmo
