#include "platform/framework/navigation.h"

#include <algorithm>

#include "platform/base/log.h"
#include "platform/base/observer.h"
#include "platform/framework/controller_manager.h"

using base::variant::Variant;

namespace framework {
namespace module {

Navigator Navigator::Of(void* context, bool page_stack) { return Navigator(context, page_stack); }

void Navigator::Push(const std::string& uri, const Variant& params) {
  base::observer::Notify("navigate", [&] {
    Variant::Map m;
    m["op"] = "push";
    m["uri"] = uri;
    m["params"] = params;
    return Variant(std::move(m));
  });
  NavigationHost::Instance().Open(uri, &params);
}

void Navigator::PopOther(const std::string& uri) {
  base::observer::Notify("navigate", [&] {
    Variant::Map m;
    m["op"] = "pop_other";
    m["uri"] = uri;
    return Variant(std::move(m));
  });
  NavigationHost::Instance().RemoveFromStack(uri);
}

Dispatcher* Dispatcher::GetInstance() {
  static Dispatcher* instance = new Dispatcher();
  return instance;
}

void Dispatcher::Finish(const std::string& uri) {
  base::observer::Notify("controller", [&] {
    Variant::Map m;
    m["uri"] = uri;
    m["action"] = "finish";
    return Variant(std::move(m));
  });
  NavigationHost::Instance().Close(uri);
}

}  // namespace module

NavigationHost& NavigationHost::Instance() {
  static NavigationHost* instance = new NavigationHost();
  return *instance;
}

bool NavigationHost::Open(const std::string& uri, const Variant* params) {
  if (auto controller = ControllerManager::Instance()->ResolveForHost(uri)) {
    RemoveFromStack(uri);
    page_stack_.push_back(uri);
    controller->Call("show", params ? std::make_unique<Variant>(*params) : nullptr);
    return true;
  }
  if (fallback_) {
    PageHandler handler = fallback_;
    handler(uri, params);
    return true;
  }
  VLOG(3) << "navigation: nothing serves " << uri;
  return false;
}

bool NavigationHost::Close(const std::string& uri) {
  RemoveFromStack(uri);
  auto controller = ControllerManager::Instance()->FindForHost(uri);
  if (!controller) return false;
  controller->Call("close", nullptr);
  return true;
}

void NavigationHost::RemoveFromStack(const std::string& uri) {
  page_stack_.erase(std::remove(page_stack_.begin(), page_stack_.end(), uri), page_stack_.end());
}

std::set<std::string> NavigationHost::RoutedUris() const {
  std::set<std::string> out;
  for (const auto& [proxy, uris] : proxy_uris_)
    if (live_proxies_.count(proxy)) out.insert(uris.begin(), uris.end());
  return out;
}

void NavigationHost::AddNavigatorManager(Service* proxy) {
  ++navigator_managers_;
  live_proxies_.insert(proxy);
}

void NavigationHost::RemoveNavigatorManager(Service* proxy) {
  --navigator_managers_;
  live_proxies_.erase(proxy);
}

void NavigationHost::AddProxyUri(Service* proxy, const std::string& uri) {
  proxy_uris_[proxy].insert(uri);
}

void NavigationHost::RemoveProxy(Service* proxy) {
  proxy_uris_.erase(proxy);
  live_proxies_.erase(proxy);
}

}  // namespace framework

namespace {

class NavigateProxyService : public framework::Service {
 public:
  explicit NavigateProxyService(framework::Service* target) : target_(target) {}
  bool Call(int command, const Variant* param, Variant* result) override {
    if (command == 0 && param && param->IsString() && !param->AsStr().empty()) {
      framework::NavigationHost::Instance().AddProxyUri(this, param->AsStr());
      return true;
    }
    return target_ ? target_->Call(command, param, result) : false;
  }

 private:
  framework::Service* target_;
};

}  // namespace

DesktopSchemeRouterManager::~DesktopSchemeRouterManager() { UninitRouterManager(); }

void DesktopSchemeRouterManager::InitRouterManager() {
  if (inited_ || !service_) return;
  inited_ = true;
  framework::NavigationHost::Instance().AddRouterManager();
}

void DesktopSchemeRouterManager::UninitRouterManager() {
  if (!inited_) return;
  inited_ = false;
  framework::NavigationHost::Instance().RemoveRouterManager();
}

NavigatorManager::~NavigatorManager() { UninitNavigatorManager(); }

void NavigatorManager::InitNavigatorManager() {
  if (inited_ || !proxy_) return;
  inited_ = true;
  framework::NavigationHost::Instance().AddNavigatorManager(proxy_);
}

void NavigatorManager::UninitNavigatorManager() {
  if (!inited_) return;
  inited_ = false;
  framework::NavigationHost::Instance().RemoveNavigatorManager(proxy_);
}

framework::Service* CreateNavigateProxyService(framework::Service* navigate_service) {
  return new NavigateProxyService(navigate_service);
}

void DeleteNavigateProxyService(framework::Service* proxy) {
  if (!proxy) return;
  framework::NavigationHost::Instance().RemoveProxy(proxy);
  delete proxy;
}
