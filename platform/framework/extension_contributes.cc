#include "platform/framework/extension_contributes.h"

#include <algorithm>

#include "platform/base/observer.h"

namespace framework {
namespace extension {

namespace {

using base::variant::Variant;

void Announce(const char* op, const std::string* name, Variant ids, const Variant* params) {
  base::observer::Notify("extension", [&] {
    Variant::Map m;
    m["op"] = op;
    if (name) m["name"] = *name;
    m["ids"] = std::move(ids);
    if (params) m["params"] = *params;
    return Variant(std::move(m));
  });
}

}  // namespace

ExtensionRegistry& ExtensionRegistry::Instance() {
  static auto* registry = new ExtensionRegistry();
  return *registry;
}

void ExtensionRegistry::Register(Registration registration) {
  for (Registration& r : registrations_) {
    if (r.extension_id != registration.extension_id) continue;
    r = std::move(registration);
    return;
  }
  registrations_.push_back(std::move(registration));
}

void ExtensionRegistry::Unregister(const std::string& extension_id) {
  registrations_.erase(
      std::remove_if(registrations_.begin(), registrations_.end(),
                     [&](const Registration& r) { return r.extension_id == extension_id; }),
      registrations_.end());
}

void ExtensionRegistry::Clear() { registrations_.clear(); }

bool ExtensionRegistry::IsRegistered(const std::string& extension_id) const {
  return Find(extension_id) != nullptr;
}

const ExtensionRegistry::Registration* ExtensionRegistry::Find(
    const std::string& extension_id) const {
  for (const Registration& r : registrations_)
    if (r.extension_id == extension_id) return &r;
  return nullptr;
}

int ExtensionRegistry::SendItemUpdate(const std::string& extension_id, const Variant& item) {
  if (!item.IsMap()) return 0;
  // A page may close (and leave this list) while an earlier one handles the update.
  const std::vector<ExtensionContributesImpl*> pages = active_;
  int delivered = 0;
  for (ExtensionContributesImpl* page : pages) {
    if (std::find(active_.begin(), active_.end(), page) == active_.end()) continue;
    if (page->DeliverItemUpdate(extension_id, item)) ++delivered;
  }
  return delivered;
}

ExtensionContributesImpl::ExtensionContributesImpl() : data_source_(Variant::MakeArray()) {}

ExtensionContributesImpl::~ExtensionContributesImpl() { UnActivateExtensions(); }

int ExtensionContributesImpl::ActivateExtensions(const Variant* params) {
  ExtensionRegistry& registry = ExtensionRegistry::Instance();
  std::vector<ExtensionRegistry::Registration> joining;
  Variant ids = Variant::MakeArray();
  for (const ExtensionRegistry::Registration& r : registry.registrations_) {
    if (!r.contributes_id.empty() && r.contributes_id != contributes_id_) continue;
    if (IsActive(r.extension_id)) continue;
    joining.push_back(r);
    ids.Add(r.extension_id);
  }
  Announce("activate", nullptr, ids, params);

  for (const ExtensionRegistry::Registration& r : joining) {
    Active active{r.extension_id, nullptr};
    std::shared_ptr<AppBaseQTView> view;
    if (r.view_factory) view = r.view_factory(GetViewContext(), params);
    if (view) active.view = std::make_unique<std::shared_ptr<AppBaseQTView>>(std::move(view));
    Variant item = Variant::MakeMap();
    item[kItemExtensionId] = r.extension_id;
    item[kItemView] = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(active.view.get()));
    item[kItemVisible] = false;
    data_source_.Add(std::move(item));
    active_.push_back(std::move(active));
  }
  if (!active_.empty() &&
      std::find(registry.active_.begin(), registry.active_.end(), this) == registry.active_.end())
    registry.active_.push_back(this);
  return static_cast<int>(active_.size());
}

void ExtensionContributesImpl::UnActivateExtensions() {
  auto& pages = ExtensionRegistry::Instance().active_;
  pages.erase(std::remove(pages.begin(), pages.end(), this), pages.end());
  data_source_ = Variant::MakeArray();
  active_.clear();
}

void ExtensionContributesImpl::UpdateContributesDataSource() {
  SortContributedExtensions();
  Variant ids = Variant::MakeArray();
  for (const Variant& item : data_source_.AsArray()) ids.Add(item.GetString(kItemExtensionId));
  Announce("update_data_source", nullptr, std::move(ids), nullptr);
  OnContributesChildrenView(true);
}

void ExtensionContributesImpl::FireExtensionEvent(const std::string& name, const Variant* params) {
  Announce("fire_event", &name, ActiveIds(), params);
  // Copies: a handler may register, unregister or close the page.
  std::vector<ExtensionRegistry::EventHandler> handlers;
  for (const Active& a : active_) {
    const ExtensionRegistry::Registration* r = ExtensionRegistry::Instance().Find(a.extension_id);
    if (r && r->on_event) handlers.push_back(r->on_event);
  }
  for (const auto& handler : handlers) handler(name, params);
}

void ExtensionContributesImpl::SortByExtensionsId(const std::vector<std::string>& ids) {
  Variant announced = Variant::MakeArray();
  for (const std::string& id : ids) announced.Add(id);
  Announce("sort", nullptr, std::move(announced), nullptr);

  auto rank = [&](const Variant& item) {
    auto it = std::find(ids.begin(), ids.end(), item.GetString(kItemExtensionId));
    return static_cast<size_t>(it - ids.begin());  // ids.size() for the unnamed ones
  };
  Variant::Array& items = data_source_.MutableArray();
  std::stable_sort(items.begin(), items.end(),
                   [&](const Variant& a, const Variant& b) { return rank(a) < rank(b); });
}

bool ExtensionContributesImpl::IsActive(const std::string& extension_id) const {
  for (const Active& a : active_)
    if (a.extension_id == extension_id) return true;
  return false;
}

bool ExtensionContributesImpl::DeliverItemUpdate(const std::string& extension_id,
                                                 const Variant& item) {
  for (Variant& stored : data_source_.MutableArray()) {
    if (stored.GetString(kItemExtensionId) != extension_id) continue;
    Variant merged = item;
    // The page's own record of the view wins: an extension cannot point the page elsewhere.
    merged[kItemExtensionId] = extension_id;
    merged[kItemView] = stored.Get(kItemView);
    stored = merged;
    OnExtensionItemUpdated(merged);
    return true;
  }
  return false;
}

Variant ExtensionContributesImpl::ActiveIds() const {
  Variant ids = Variant::MakeArray();
  for (const Active& a : active_) ids.Add(a.extension_id);
  return ids;
}

}  // namespace extension
}  // namespace framework
