// ControllerManager: the host singleton that holds the controller registry. Modules register
// their controllers' factories and look controllers up through the registry rules they compile
// in (after_meeting/host/ioc_container.h); the host's navigator and dispatcher use
// ResolveForHost, which follows the same creation rule without a module's log lines.
#pragma once

#include <memory>
#include <string>

#include "platform/framework/controller.h"
#include "platform/framework/ioc_container.h"

class ControllerManager {
 public:
  static ControllerManager* Instance();

  framework::IocContainer<framework::Controller>& container() { return container_; }

  // The registry rules, defined with the container's rules in the module's registry header.
  template <class T>
  bool Register(framework::module::IModuleRuntime* runtime, const std::string& uri);
  inline void IocUnregister(const std::string& uri);
  inline std::shared_ptr<framework::Controller> IocGet(const std::string& uri);
  inline std::shared_ptr<framework::Controller> IocFind(const std::string& uri);
  inline bool HasUri(const std::string& uri);

  // Host side: the controller for uri, made from its factory on first use; null when the URI
  // has no factory or the registry is closed.
  std::shared_ptr<framework::Controller> ResolveForHost(const std::string& uri);
  // Host side: the controller for uri when it was made already; null otherwise.
  std::shared_ptr<framework::Controller> FindForHost(const std::string& uri);
  bool IsRegisteredForHost(const std::string& uri) const;
  // Host side, at shutdown: lookups yield only the null controller from now on.
  void Close() { container_.Close(); }

 private:
  ControllerManager() = default;
  framework::IocContainer<framework::Controller> container_;
};
