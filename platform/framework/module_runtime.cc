#include "platform/framework/module_runtime.h"

#include <cstdlib>

#include <QDir>

#include "platform/framework/localized_strings.h"

namespace framework {

Resource* Resource::GetInstance() {
  static Resource* instance = new Resource();
  return instance;
}

std::string Resource::GetAppResDirectory() const {
  const char* dir = std::getenv("VELMO_APP_RES_DIR");
  return dir ? dir : "";
}

std::string AssetProvider::GetLocalizedString(uint32_t id) const {
  return LocalizedStrings::Instance().Lookup(StringTable::kModule, id);
}

namespace module {

ModuleRuntimeBaseImpl::ModuleRuntimeBaseImpl(std::shared_ptr<ModuleManifest> manifest,
                                             IResourceProvider* resources)
    : manifest_(std::move(manifest)), resources_(resources) {}

ModuleRuntimeBaseImpl::~ModuleRuntimeBaseImpl() {
  // Providers are made by the derived runtime but released here: stop them first, while the
  // objects they call back into still exist.
  Unactivate();
  extension_provider_.reset();
  view_model_provider_.reset();
  model_provider_.reset();
  service_provider_.reset();
}

ModelProvider* ModuleRuntimeBaseImpl::GetModelProvider() {
  if (!model_provider_) model_provider_.reset(CreateModelProvider());
  return model_provider_.get();
}

ServiceProvider* ModuleRuntimeBaseImpl::GetServiceProvider() {
  if (!service_provider_) service_provider_.reset(CreateServiceProvider());
  return service_provider_.get();
}

AssetProvider* ModuleRuntimeBaseImpl::GetAssetProvider() {
  if (!asset_provider_) {
    const std::string name = GetModuleName();
    // A module ships its own string tables in its resources, one file per language.
    const QString dir = QStringLiteral(":/%1/strings").arg(QString::fromStdString(name));
    for (const QString& file : QDir(dir).entryList({QStringLiteral("*.json")}, QDir::Files))
      LocalizedStrings::Instance().LoadFile((dir + "/" + file).toStdString());
    asset_provider_ = std::make_unique<AssetProvider>(name);
  }
  return asset_provider_.get();
}

ViewModelProvider* ModuleRuntimeBaseImpl::GetViewModelProvider() {
  if (!view_model_provider_) view_model_provider_.reset(CreateViewModelProvider());
  return view_model_provider_.get();
}

extension::ExtensionProviderBase* ModuleRuntimeBaseImpl::GetExtensionProvider() {
  if (!extension_provider_) extension_provider_.reset(CreateExtensionProvider());
  return extension_provider_.get();
}

bool ModuleRuntimeBaseImpl::Activate() {
  if (activated_) return true;
  activated_ = true;
  if (ServiceProvider* services = GetServiceProvider()) services->Init();
  if (ModelProvider* models = GetModelProvider()) models->Init();
  GetViewModelProvider();
  GetExtensionProvider();
  return true;
}

void ModuleRuntimeBaseImpl::Unactivate() {
  if (!activated_) return;
  activated_ = false;
  if (model_provider_) model_provider_->UnInit();
  if (service_provider_) service_provider_->UnInit();
}

}  // namespace module
}  // namespace framework
