#include "platform/framework/providers.h"

#include "platform/framework/module_service.h"

namespace framework {

ModelProviderBaseImpl::~ModelProviderBaseImpl() { UnInit(); }

bool ModelProviderBaseImpl::Init() {
  inited_ = true;
  return true;
}

void ModelProviderBaseImpl::UnInit() {
  for (auto it = models_.rbegin(); it != models_.rend(); ++it)
    if (it->second->IsInitialized()) it->second->UnInit();
  inited_ = false;
}

Model* ModelProviderBaseImpl::ModelOf(int type) {
  for (const auto& [t, model] : models_)
    if (t == type) return model.get();
  Model* made = CreateModel(type);
  if (!made) return nullptr;
  std::shared_ptr<Model> owned(made);
  models_.emplace_back(type, owned);
  owned->Init(nullptr);
  return made;
}

ServiceProviderBaseImpl::~ServiceProviderBaseImpl() = default;

Service* ServiceProviderBaseImpl::ServiceOf(int type) {
  auto it = services_.find(type);
  if (it != services_.end()) return it->second.get();
  Service* made = CreateService(type);
  if (!made) return nullptr;
  services_[type].reset(made);
  return made;
}

Service* ServiceProviderBaseImpl::GetRouterService() {
  return module::GetModuleService()->GetRouterService();
}

Service* ServiceProviderBaseImpl::GetNavigateService() {
  return module::GetModuleService()->GetNavigateService();
}

Service* ServiceProviderBaseImpl::GetExtensionViewService() {
  return module::GetModuleService()->GetExtensionViewService();
}

std::shared_ptr<StatefulViewModel> ViewModelProviderBaseImpl::BuildViewModel(int type) {
  return CreateViewModel(type);
}

}  // namespace framework
