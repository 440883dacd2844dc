// Contributed extensions: views that one module (or the host) offers to a contribution point
// on another module's page. The offering side registers an extension with the registry; the
// page's view model owns an ExtensionContributesImpl for its contribution point and activates,
// sorts and publishes what is offered there.
//
//   ExtensionRegistry::Instance().Register({"extension:after_meeting.record", "", factory,
//   on_event}); contributes.SetContributesId("contributes:after_meeting.conclusion");
//   contributes.ActivateExtensions(nullptr);       // makes the views
//   contributes.UpdateContributesDataSource();     // the page's view gets the item list
//   ExtensionRegistry::Instance().SendItemUpdate("extension:after_meeting.record", item);
//
// An item of the data source is a map: "extension_id" (string), "view" (uint64: the address of
// a std::shared_ptr<AppBaseQTView> kept by the contributes object, 0 when the extension has no
// view) and "visible" (bool, false until the extension reports otherwise).
// Every operation is announced on the observer seam as kind "extension". UI thread only.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/variant.h"

class AppBaseQTView;

namespace framework {
namespace extension {

inline constexpr char kItemExtensionId[] = "extension_id";
inline constexpr char kItemView[] = "view";
inline constexpr char kItemVisible[] = "visible";

class ExtensionContributesImpl;

class ExtensionRegistry {
 public:
  // context: the page's navigation context; params: what ActivateExtensions was given.
  using ViewFactory = std::function<std::shared_ptr<AppBaseQTView>(
      void* context, const base::variant::Variant* params)>;
  using EventHandler =
      std::function<void(const std::string& name, const base::variant::Variant* params)>;
  struct Registration {
    std::string extension_id;
    // The contribution point the extension joins; empty joins every one.
    std::string contributes_id;
    ViewFactory view_factory;
    EventHandler on_event;
  };

  static ExtensionRegistry& Instance();

  // Replaces an earlier registration of the same id (pages that activated it keep their view).
  void Register(Registration registration);
  void Unregister(const std::string& extension_id);
  void Clear();
  bool IsRegistered(const std::string& extension_id) const;

  // The extension's side: sends an item update to every page that activated it. The item's
  // "extension_id" and "view" are the page's own; other keys come from item. Returns how many
  // pages received it (0 for an item that is not a map).
  int SendItemUpdate(const std::string& extension_id, const base::variant::Variant& item);

 private:
  friend class ExtensionContributesImpl;
  ExtensionRegistry() = default;
  const Registration* Find(const std::string& extension_id) const;
  std::vector<Registration> registrations_;        // in registration order
  std::vector<ExtensionContributesImpl*> active_;  // contributes objects with active extensions
};

class ExtensionContributesImpl {
 public:
  ExtensionContributesImpl();
  // Releases the views and leaves the registry.
  virtual ~ExtensionContributesImpl();
  ExtensionContributesImpl(const ExtensionContributesImpl&) = delete;
  ExtensionContributesImpl& operator=(const ExtensionContributesImpl&) = delete;

  void SetContributesId(std::string id) { contributes_id_ = std::move(id); }
  const std::string& contributes_id() const { return contributes_id_; }

  // Makes the views of the extensions registered for this contribution point, in registration
  // order; extensions already active are left as they are. Returns how many are active.
  virtual int ActivateExtensions(const base::variant::Variant* params);
  virtual void UnActivateExtensions();
  // The context handed to view factories.
  virtual void* GetViewContext() const { return nullptr; }
  // Orders the data source before it is published; the default keeps activation order.
  virtual void SortContributedExtensions() {}

  // Sorts (SortContributedExtensions), then publishes the data source to the page's view.
  void UpdateContributesDataSource();
  // Hands an event to every active extension's handler.
  void FireExtensionEvent(const std::string& name, const base::variant::Variant* params);
  // Moves the items of these ids to the front, in this order; the others keep theirs.
  void SortByExtensionsId(const std::vector<std::string>& ids);

  // Array of items, in data-source order.
  const base::variant::Variant& data_source() const { return data_source_; }
  bool IsActive(const std::string& extension_id) const;

 protected:
  // Publishes data_source(): posted to the main looper when post is true, else at once.
  virtual void OnContributesChildrenView(bool post) {}
  // An active extension sent an update; item is already stored in the data source.
  virtual void OnExtensionItemUpdated(const base::variant::Variant& item) {}

 private:
  friend class ExtensionRegistry;
  struct Active {
    std::string extension_id;
    // Heap-kept so that its address can stand in an item for as long as the extension is active.
    std::unique_ptr<std::shared_ptr<AppBaseQTView>> view;
  };
  bool DeliverItemUpdate(const std::string& extension_id, const base::variant::Variant& item);
  base::variant::Variant ActiveIds() const;

  std::string contributes_id_;
  std::vector<Active> active_;
  base::variant::Variant data_source_;
};

}  // namespace extension
}  // namespace framework
