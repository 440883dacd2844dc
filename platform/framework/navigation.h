// Navigation: how pages are opened and closed by URI.
//
// Module side: Navigator::Of(context, true).Push(uri, params) opens a page (the controller
// registered for uri gets "show"); PopOther(uri) takes a page off the navigation stack;
// Dispatcher::GetInstance()->Finish(uri) closes it (its controller gets "close"). A module sets
// up its routing with DesktopSchemeRouterManager and NavigatorManager over the host's services
// and hands its URIs to a navigate proxy service (command 0).
//
// Host side: NavigationHost keeps the routes, the page stack and stand-in handlers for URIs
// that no controller serves (other modules' pages). UI thread only.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/base/variant.h"
#include "platform/framework/service.h"

namespace framework {
namespace module {

class Navigator {
 public:
  static Navigator Of(void* context, bool page_stack);
  void Push(const std::string& uri, const base::variant::Variant& params);
  void PopOther(const std::string& uri);
  void* context() const { return context_; }
  bool uses_page_stack() const { return page_stack_; }

 private:
  Navigator(void* context, bool page_stack) : context_(context), page_stack_(page_stack) {}
  void* context_;
  bool page_stack_;
};

class Dispatcher {
 public:
  static Dispatcher* GetInstance();
  void Finish(const std::string& uri);

 private:
  Dispatcher() = default;
};

}  // namespace module

// The host's navigation state.
class NavigationHost {
 public:
  static NavigationHost& Instance();

  // Opens uri as the host does: routes it to its controller's "show" (or to a stand-in
  // handler) and puts it on the page stack. False when nothing serves the URI.
  bool Open(const std::string& uri, const base::variant::Variant* params);
  // Closes uri as the host does: its controller (when made) gets "close".
  bool Close(const std::string& uri);

  using PageHandler = std::function<void(const std::string& uri, const base::variant::Variant*)>;
  // A stand-in for pages of other modules (a native page a banner links to, say).
  void SetFallbackHandler(PageHandler handler) { fallback_ = std::move(handler); }

  const std::vector<std::string>& page_stack() const { return page_stack_; }
  void RemoveFromStack(const std::string& uri);
  // URIs handed to navigate proxies that are live (their navigator manager initialised).
  std::set<std::string> RoutedUris() const;
  int router_manager_count() const { return router_managers_; }
  int navigator_manager_count() const { return navigator_managers_; }

  Service* router_service() { return &router_service_; }
  Service* navigate_service() { return &navigate_service_; }

  // Book-keeping used by the managers and proxies.
  void AddRouterManager() { ++router_managers_; }
  void RemoveRouterManager() { --router_managers_; }
  void AddNavigatorManager(Service* proxy);
  void RemoveNavigatorManager(Service* proxy);
  void AddProxyUri(Service* proxy, const std::string& uri);
  void RemoveProxy(Service* proxy);

 private:
  NavigationHost() = default;
  Service router_service_;
  Service navigate_service_;
  std::vector<std::string> page_stack_;
  std::map<Service*, std::set<std::string>> proxy_uris_;
  std::set<Service*> live_proxies_;
  int router_managers_ = 0;
  int navigator_managers_ = 0;
  PageHandler fallback_;
};

}  // namespace framework

class DesktopSchemeRouterManager {
 public:
  explicit DesktopSchemeRouterManager(framework::Service* router_service)
      : service_(router_service) {}
  ~DesktopSchemeRouterManager();
  void InitRouterManager();
  void UninitRouterManager();

 private:
  framework::Service* service_;
  bool inited_ = false;
};

class NavigatorManager {
 public:
  explicit NavigatorManager(framework::Service* navigate_proxy) : proxy_(navigate_proxy) {}
  ~NavigatorManager();
  void InitNavigatorManager();
  void UninitNavigatorManager();

 private:
  framework::Service* proxy_;
  bool inited_ = false;
};

// A proxy of the host's navigate service for one module. Command 0 with a string parameter
// hands it a URI the module serves.
framework::Service* CreateNavigateProxyService(framework::Service* navigate_service);
void DeleteNavigateProxyService(framework::Service* proxy);
