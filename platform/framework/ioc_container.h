// framework::IocContainer<T>: the per-process registry of objects by URI that ControllerManager
// holds. This header declares its storage; its rules (Register, IocGet, IocFind, IocUnregister,
// HasUri) are the framework header every module compiles into itself
// (after_meeting/host/ioc_container.h), so that the lookups a module makes are its own code.
// The host reaches the same storage through ControllerManager::ResolveForHost.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace framework {
namespace module {
class IModuleRuntime;
}

template <class T>
class IocContainer {
 public:
  using Factory = std::function<std::shared_ptr<T>()>;

  template <class Impl>
  bool Register(module::IModuleRuntime* runtime, const std::string& uri);
  inline void IocUnregister(const std::string& uri);
  inline std::shared_ptr<T> IocGet(const std::string& uri);
  inline std::shared_ptr<T> IocFind(const std::string& uri);
  inline bool HasUri(const std::string& uri) const;

  // Host side: once closed (at shutdown) lookups yield only the null object.
  void Close() { closed_ = true; }
  bool IsClosed() const { return closed_; }

  std::map<std::string, Factory> factory_func_map_;
  std::map<std::string, std::shared_ptr<T>> object_map_;
  bool closed_ = false;
  std::shared_ptr<T> null_object_;
};

}  // namespace framework
