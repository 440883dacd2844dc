// Module runtimes: what the host gets from a module's runtime factory. A runtime owns the
// module's providers; Activate starts them (the model provider makes its models), Unactivate
// stops them, and the destructor releases them.
//
//   class MyRuntime : public framework::module::ModuleRuntimeBaseImpl { ... Create*Provider ... };
//   GetModuleService()->RegisterModuleRuntimeCreator("my_module", &CreateMyRuntime);
//
// UI thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/base/variant.h"
#include "platform/framework/extension.h"
#include "platform/framework/providers.h"

namespace framework {

// Gives modules the application's resource locations.
class IResourceProvider {
 public:
  virtual ~IResourceProvider() = default;
  virtual std::string GetAppResDirectory() const = 0;
};

class Resource : public IResourceProvider {
 public:
  static Resource* GetInstance();
  std::string GetAppResDirectory() const override;

 private:
  Resource() = default;
};

// Texts of a module's own string table (StringTable::kModule), by id.
class AssetProvider {
 public:
  explicit AssetProvider(std::string module_name) : module_name_(std::move(module_name)) {}
  virtual ~AssetProvider() = default;
  virtual std::string GetLocalizedString(uint32_t id) const;
  const std::string& module_name() const { return module_name_; }

 private:
  std::string module_name_;
};

namespace module {

// A module's configuration, read from "<name>.manifest.json" beside the module library.
struct ModuleManifest {
  std::string name;
  std::string identifier;      // build identifier, written by the module at activation
  std::string resource_file;   // absolute path of the module's binary Qt resources (.rcc)
  std::string resource_root;   // where those resources are mounted (":/" + root)
  std::string directory;       // where the manifest was found
  std::string version;
};

class IModuleRuntime {
 public:
  virtual ~IModuleRuntime() = default;
  virtual std::string GetModuleName() const = 0;
  virtual ModelProvider* GetModelProvider() = 0;
  virtual ServiceProvider* GetServiceProvider() = 0;
  virtual AssetProvider* GetAssetProvider() = 0;
  virtual ViewModelProvider* GetViewModelProvider() = 0;
  virtual IModuleRuntime* GetNXModuleRuntime() = 0;
  virtual extension::ExtensionProviderBase* GetExtensionProvider() = 0;
  virtual bool IsActivated() const = 0;
  virtual bool Activate() = 0;
  virtual void Unactivate() = 0;
  virtual IResourceProvider* GetResourceProvider() = 0;
  // A host notification with one argument; modules may ignore it.
  virtual void OnModuleNotify(const base::variant::Variant* params) = 0;
};

class ModuleRuntimeBaseImpl : public IModuleRuntime {
 public:
  ModuleRuntimeBaseImpl(std::shared_ptr<ModuleManifest> manifest, IResourceProvider* resources);
  ~ModuleRuntimeBaseImpl() override;

  ModelProvider* GetModelProvider() override;
  ServiceProvider* GetServiceProvider() override;
  AssetProvider* GetAssetProvider() override;
  ViewModelProvider* GetViewModelProvider() override;
  IModuleRuntime* GetNXModuleRuntime() override { return nullptr; }
  extension::ExtensionProviderBase* GetExtensionProvider() override;
  bool IsActivated() const override { return activated_; }
  // Starts the service, model and view-model providers (the model provider makes its models).
  bool Activate() override;
  // Stops them again; models are uninitialised, newest first.
  void Unactivate() override;
  IResourceProvider* GetResourceProvider() override { return resources_; }
  void OnModuleNotify(const base::variant::Variant*) override {}

  const std::shared_ptr<ModuleManifest>& manifest() const { return manifest_; }

 protected:
  virtual ModelProvider* CreateModelProvider() = 0;
  virtual ServiceProvider* CreateServiceProvider() = 0;
  virtual ViewModelProvider* CreateViewModelProvider() = 0;
  virtual extension::ExtensionProviderBase* CreateExtensionProvider() = 0;

 private:
  std::shared_ptr<ModuleManifest> manifest_;
  IResourceProvider* resources_;
  bool activated_ = false;
  std::unique_ptr<ServiceProvider> service_provider_;
  std::unique_ptr<ModelProvider> model_provider_;
  std::unique_ptr<ViewModelProvider> view_model_provider_;
  std::unique_ptr<extension::ExtensionProviderBase> extension_provider_;
  std::unique_ptr<AssetProvider> asset_provider_;
};

}  // namespace module
}  // namespace framework
