// The providers a module runtime hands out: its models, services, view models and extensions.
// A module derives from the *BaseImpl classes and overrides the Create* factories; the bases
// make each object on first request, keep it and start and stop it with the runtime.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/variant.h"
#include "platform/framework/model.h"
#include "platform/framework/service.h"
#include "platform/framework/view_model.h"

namespace framework {
namespace module {
class IModuleRuntime;
}

class ModelProvider {
 public:
  virtual ~ModelProvider() = default;
  virtual bool Init() = 0;
  virtual void UnInit() = 0;
  // The model of that type, made and initialised on first request; null when none exists.
  virtual Model* ModelOf(int type) = 0;
};

class ModelProviderBaseImpl : public ModelProvider {
 public:
  explicit ModelProviderBaseImpl(module::IModuleRuntime* runtime) : runtime_(runtime) {}
  ~ModelProviderBaseImpl() override;
  bool Init() override;
  void UnInit() override;
  Model* ModelOf(int type) override;
  module::IModuleRuntime* runtime() const { return runtime_; }

 protected:
  // A new model for type, or null; the provider owns what it returns.
  virtual Model* CreateModel(int type) = 0;

 private:
  module::IModuleRuntime* runtime_;
  bool inited_ = false;
  // Creation order, so that UnInit runs newest first.
  std::vector<std::pair<int, std::shared_ptr<Model>>> models_;
};

class ServiceProvider {
 public:
  virtual ~ServiceProvider() = default;
  virtual bool Init() = 0;
  virtual void UnInit() = 0;
  virtual Service* ServiceOf(int type) = 0;
  virtual Service* GetRouterService() = 0;
  virtual Service* GetNavigateService() = 0;
  virtual Service* GetExtensionViewService() = 0;
};

class ServiceProviderBaseImpl : public ServiceProvider {
 public:
  ServiceProviderBaseImpl() = default;
  ~ServiceProviderBaseImpl() override;
  bool Init() override { return true; }
  void UnInit() override {}
  Service* ServiceOf(int type) override;
  // The host's services, shared by every module.
  Service* GetRouterService() override;
  Service* GetNavigateService() override;
  Service* GetExtensionViewService() override;

 protected:
  virtual Service* CreateService(int type) = 0;

 private:
  std::map<int, std::unique_ptr<Service>> services_;
};

class ViewModelProvider {
 public:
  virtual ~ViewModelProvider() = default;
  // A new view model of that type on every call; null for an unknown type.
  virtual std::shared_ptr<StatefulViewModel> BuildViewModel(int type) = 0;
};

class ViewModelProviderBaseImpl : public ViewModelProvider {
 public:
  explicit ViewModelProviderBaseImpl(module::IModuleRuntime* runtime) : runtime_(runtime) {}
  std::shared_ptr<StatefulViewModel> BuildViewModel(int type) override;
  module::IModuleRuntime* runtime() const { return runtime_; }

 protected:
  virtual std::shared_ptr<StatefulViewModel> CreateViewModel(int type) = 0;

 private:
  module::IModuleRuntime* runtime_;
};

}  // namespace framework
