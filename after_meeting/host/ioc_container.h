// The controller registry rules, as the framework ships them to every module: factories and
// made controllers by URI, made on first lookup, and a do-nothing controller instead of null.
// They work on the registry that ControllerManager::Instance() holds.
//
//   ControllerManager::Instance()->Register<MyController>(runtime, "velmo://page/x");
//   auto c = ControllerManager::Instance()->IocGet("velmo://page/x");   // never null
//
// UI thread only.
#pragma once

#include <memory>
#include <string>

#include "after_meeting/host/log.h"
#include "platform/framework/controller_manager.h"

namespace framework {

template <class T>
template <class Impl>
bool IocContainer<T>::Register(module::IModuleRuntime* runtime, const std::string& uri) {
  if (factory_func_map_.count(uri)) return false;
  factory_func_map_[uri] = [runtime]() -> std::shared_ptr<T> {
    auto made = std::make_shared<Impl>();
    made->SetModuleRuntime(runtime);
    return made;
  };
  return true;
}

template <class T>
void IocContainer<T>::IocUnregister(const std::string& uri) {
  // A dying controller may look its URI up again (closing its window finishes the URI), so it
  // is released only once both maps have forgotten the URI: a lookup then cannot hand out the
  // controller being destroyed, nor make a new one.
  std::shared_ptr<T> released;
  auto it = object_map_.find(uri);
  if (it != object_map_.end()) {
    released = std::move(it->second);
    object_map_.erase(it);
  } else {
    AM_LOG(6) << "object_map_ not found" << uri;
  }
  if (!factory_func_map_.erase(uri)) AM_LOG(1) << "factory_func_map_ not found" << uri;
}

template <class T>
std::shared_ptr<T> IocContainer<T>::IocGet(const std::string& uri) {
  // The null object is the platform's, so it never points into a module library.
  if (!null_object_) null_object_ = framework::MakeNullController();
  if (closed_) return null_object_;
  if (!object_map_.count(uri)) {
    auto factory = factory_func_map_.find(uri);
    if (factory != factory_func_map_.end() && factory->second) {
      if (auto made = factory->second()) object_map_[uri] = made;
    } else {
      AM_LOG(3) << "Unkonwn uri[" << uri << "], Please check!";
    }
  }
  auto it = object_map_.find(uri);
  return it == object_map_.end() ? null_object_ : it->second;
}

template <class T>
std::shared_ptr<T> IocContainer<T>::IocFind(const std::string& uri) {
  if (!null_object_) null_object_ = framework::MakeNullController();
  if (closed_) return null_object_;
  auto it = object_map_.find(uri);
  return it == object_map_.end() ? null_object_ : it->second;
}

template <class T>
bool IocContainer<T>::HasUri(const std::string& uri) const {
  return factory_func_map_.count(uri) > 0;
}

}  // namespace framework

template <class T>
bool ControllerManager::Register(framework::module::IModuleRuntime* runtime,
                                 const std::string& uri) {
  return container_.template Register<T>(runtime, uri);
}

inline void ControllerManager::IocUnregister(const std::string& uri) {
  container_.IocUnregister(uri);
}

inline std::shared_ptr<framework::Controller> ControllerManager::IocGet(const std::string& uri) {
  return container_.IocGet(uri);
}

inline std::shared_ptr<framework::Controller> ControllerManager::IocFind(const std::string& uri) {
  return container_.IocFind(uri);
}

inline bool ControllerManager::HasUri(const std::string& uri) { return container_.HasUri(uri); }
