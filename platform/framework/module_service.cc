#include "platform/framework/module_service.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/base/json.h"
#include "platform/base/log.h"
#include "platform/framework/navigation.h"

namespace framework {
namespace module {

Model* HostModelProvider::ModelOf(int type) {
  auto it = models_.find(type);
  return it == models_.end() ? nullptr : it->second.get();
}

void HostModelProvider::Register(std::shared_ptr<Model> model) {
  if (model) models_[model->type()] = std::move(model);
}

void HostModelProvider::Unregister(int type) { models_.erase(type); }

void HostModelProvider::Clear() { models_.clear(); }

std::vector<int> HostModelProvider::Types() const {
  std::vector<int> out;
  for (const auto& [type, model] : models_) out.push_back(type);
  return out;
}

std::shared_ptr<StatefulViewModel> HostViewModelProvider::BuildViewModel(int type) {
  auto it = creators_.find(type);
  if (it == creators_.end() || !it->second) return nullptr;
  auto vm = it->second();
  if (vm) vm->SetType(type);
  return vm;
}

void ModuleService::RegisterModuleRuntimeCreator(const std::string& name,
                                                 ModuleRuntimeCreator creator) {
  creators_[name] = std::move(creator);
}

void ModuleService::UnregisterModuleRuntimeCreator(const std::string& name) {
  creators_.erase(name);
}

bool ModuleService::HasModuleRuntimeCreator(const std::string& name) const {
  return creators_.count(name) > 0;
}

IModuleRuntime* ModuleService::GetModuleRuntime(const std::string& name) {
  auto it = creators_.find(name);
  if (it == creators_.end() || !it->second) return nullptr;
  ModuleRuntimeCreator creator = it->second;
  return creator();
}

Service* ModuleService::GetRouterService() {
  return NavigationHost::Instance().router_service();
}

Service* ModuleService::GetNavigateService() {
  return NavigationHost::Instance().navigate_service();
}

ModuleService* GetModuleService() {
  static ModuleService* service = new ModuleService();
  return service;
}

Model* GetAppModuleModel(int type) { return GetModuleService()->GetModelProvider()->ModelOf(type); }

}  // namespace module
}  // namespace framework

UiModuleLoaderRegister* UiModuleLoaderRegister::GetInstance() {
  static UiModuleLoaderRegister* instance = new UiModuleLoaderRegister();
  return instance;
}

void UiModuleLoaderRegister::Register(const std::string& name, UiModuleLoadFunc load,
                                      UiModuleUnloadFunc unload) {
  entries_[name] = Entry{std::move(load), std::move(unload)};
}

void UiModuleLoaderRegister::Unregister(const std::string& name) { entries_.erase(name); }

bool UiModuleLoaderRegister::IsRegistered(const std::string& name) const {
  return entries_.count(name) > 0;
}

bool UiModuleLoaderRegister::Load(const std::string& name,
                                  framework::module::IModuleRuntime* runtime) {
  auto it = entries_.find(name);
  if (it == entries_.end() || !it->second.load) return false;
  UiModuleLoadFunc load = it->second.load;
  load(runtime);
  return true;
}

bool UiModuleLoaderRegister::Unload(const std::string& name) {
  auto it = entries_.find(name);
  if (it == entries_.end() || !it->second.unload) return false;
  UiModuleUnloadFunc unload = it->second.unload;
  unload();
  return true;
}

namespace velmo {

namespace {
std::vector<std::string>& Directories() {
  static auto* dirs = new std::vector<std::string>();
  return *dirs;
}

bool ReadFile(const std::string& path, std::string* out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream ss;
  ss << in.rdbuf();
  *out = ss.str();
  return true;
}

std::string Resolve(const std::string& dir, const std::string& file) {
  if (file.empty() || file[0] == '/' || file[0] == ':') return file;
  return dir + "/" + file;
}
}  // namespace

void AddModuleConfigDirectory(const std::string& dir) { Directories().push_back(dir); }

void ClearModuleConfigDirectories() { Directories().clear(); }

std::shared_ptr<framework::module::ModuleManifest> GetModuleConfigByName(const std::string& name) {
  auto manifest = std::make_shared<framework::module::ModuleManifest>();
  manifest->name = name;
  std::vector<std::string> dirs = Directories();
  if (const char* env = std::getenv("VELMO_MODULE_DIR")) dirs.push_back(env);
  for (const std::string& dir : dirs) {
    std::string text;
    if (!ReadFile(dir + "/" + name + ".manifest.json", &text)) continue;
    base::json::JsonValue doc;
    if (!base::json::JsonValue::Parse(text, &doc) || !doc.IsObject()) {
      VLOG(1) << "module manifest malformed: " << dir << "/" << name << ".manifest.json";
      return manifest;
    }
    manifest->identifier = doc["identifier"].AsString();
    manifest->resource_file = Resolve(dir, doc["resource_file"].AsString());
    manifest->resource_root = doc["resource_root"].AsString("/");
    manifest->version = doc["version"].AsString();
    manifest->directory = dir;
    return manifest;
  }
  VLOG(1) << "no module manifest for " << name;
  return manifest;
}

}  // namespace velmo
