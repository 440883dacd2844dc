// framework::ModelImpl (also named Model): a model serves synchronous calls by numeric id and fires events
// to its subscribers. Models of other modules (the host's) are reached by type through the
// module service; a module's own models through its model provider.
//
//   model->SubscribeWithLocation(48, this, [this](const Variant* p) { OnPreLeave(p); }, {});
//   model->FireEvent(48, &payload);          // every subscriber of 48, in subscription order
//   model->Unsubscribe(this);                // all of this subscriber's events
//
// Subscribers may subscribe, unsubscribe, or destroy themselves from inside a callback: the
// dispatch works on a snapshot and skips entries removed meanwhile. UI thread only.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/location.h"
#include "platform/base/variant.h"

namespace framework {

using base::variant::Variant;
using EventCallback = std::function<void(const Variant*)>;

class ModelImpl : public std::enable_shared_from_this<ModelImpl> {
 public:
  explicit ModelImpl(int type) : type_(type) {}
  virtual ~ModelImpl();
  ModelImpl(const ModelImpl&) = delete;
  ModelImpl& operator=(const ModelImpl&) = delete;

  virtual bool Init(const Variant* params);
  virtual void UnInit();
  virtual void Subscribe(int event, const void* subscriber, EventCallback callback);
  virtual void SubscribeWithLocation(int event, const void* subscriber, EventCallback callback,
                                     const base::Location& location);
  virtual void Unsubscribe(int event, const void* subscriber);
  virtual void Unsubscribe(const void* subscriber);
  // Synchronous call; false when the id is not served.
  virtual bool Call(int call_id, const Variant* params, Variant* result);
  // Calls addressed to one peer and asynchronous calls; the base serves none of them.
  virtual bool P2PCall(int call_id, const void* peer, const Variant* params, Variant* result);
  virtual bool AsyncCall(int call_id, const Variant* params,
                         std::function<void(bool, const Variant*)> done);
  virtual int type() const { return type_; }
  virtual int GetStateOf(int key) const;

  // Delivers payload to every subscriber of event (a null pointer when there is none).
  void FireEvent(int event, const Variant* payload);
  int SubscriberCount(int event) const;
  int SubscriberCount() const;
  bool IsInitialized() const { return initialized_; }

 protected:
  // Models of the host fire on behalf of the host; only the module's own fired events are
  // announced on the observer seam.
  void set_announce_fired_events(bool announce) { announce_fired_events_ = announce; }

 private:
  struct Subscription {
    int event;
    const void* subscriber;
    EventCallback callback;
    base::Location location;
    bool active = true;
  };
  int type_;
  bool initialized_ = false;
  bool announce_fired_events_ = true;
  std::vector<std::shared_ptr<Subscription>> subscriptions_;
};

// The name host interfaces use for any model.
using Model = ModelImpl;

// A model whose events carry a mutable payload and a handled flag, dispatched by priority
// (highest first); a subscriber that sets *handled to true ends the dispatch.
using PriorityEventCallback = std::function<void(Variant* payload, bool* handled)>;

class PriorityModel : public ModelImpl {
 public:
  using ModelImpl::ModelImpl;
  void SubscribeWithPriority(int event, const void* subscriber, int priority,
                             PriorityEventCallback callback);
  void UnsubscribePriority(const void* subscriber);
  // Returns the final handled flag.
  bool FirePriorityEvent(int event, Variant* payload);
  int PrioritySubscriberCount(int event) const;

 private:
  struct PrioritySubscription {
    int event;
    const void* subscriber;
    int priority;
    PriorityEventCallback callback;
    bool active = true;
  };
  std::vector<std::shared_ptr<PrioritySubscription>> priority_subscriptions_;
};

}  // namespace framework
