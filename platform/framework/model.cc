#include "platform/framework/model.h"

#include <algorithm>

#include "platform/base/observer.h"

namespace framework {

ModelImpl::~ModelImpl() = default;

bool ModelImpl::Init(const Variant*) {
  initialized_ = true;
  return true;
}

void ModelImpl::UnInit() { initialized_ = false; }

void ModelImpl::Subscribe(int event, const void* subscriber, EventCallback callback) {
  SubscribeWithLocation(event, subscriber, std::move(callback), base::Location());
}

void ModelImpl::SubscribeWithLocation(int event, const void* subscriber, EventCallback callback,
                                  const base::Location& location) {
  if (!callback) return;
  auto s = std::make_shared<Subscription>();
  s->event = event;
  s->subscriber = subscriber;
  s->callback = std::move(callback);
  s->location = location;
  subscriptions_.push_back(std::move(s));
}

void ModelImpl::Unsubscribe(int event, const void* subscriber) {
  auto gone = [&](const std::shared_ptr<Subscription>& s) {
    if (s->event != event || s->subscriber != subscriber) return false;
    s->active = false;
    return true;
  };
  subscriptions_.erase(std::remove_if(subscriptions_.begin(), subscriptions_.end(), gone),
                       subscriptions_.end());
}

void ModelImpl::Unsubscribe(const void* subscriber) {
  auto gone = [&](const std::shared_ptr<Subscription>& s) {
    if (s->subscriber != subscriber) return false;
    s->active = false;
    return true;
  };
  subscriptions_.erase(std::remove_if(subscriptions_.begin(), subscriptions_.end(), gone),
                       subscriptions_.end());
}

bool ModelImpl::Call(int, const Variant*, Variant*) { return false; }

bool ModelImpl::P2PCall(int, const void*, const Variant*, Variant*) { return false; }

bool ModelImpl::AsyncCall(int, const Variant*, std::function<void(bool, const Variant*)>) {
  return false;
}

int ModelImpl::GetStateOf(int) const { return 0; }

void ModelImpl::FireEvent(int event, const Variant* payload) {
  if (announce_fired_events_) {
    base::observer::Notify("event", [&] {
      Variant::Map m;
      m["model"] = type_;
      m["event"] = event;
      if (payload) m["payload"] = *payload;
      return Variant(std::move(m));
    });
  }
  // Snapshot: callbacks may change the subscription list, or end this model's subscribers.
  std::vector<std::shared_ptr<Subscription>> targets;
  for (const auto& s : subscriptions_)
    if (s->event == event) targets.push_back(s);
  for (const auto& s : targets) {
    if (!s->active) continue;
    EventCallback callback = s->callback;
    callback(payload);
  }
}

int ModelImpl::SubscriberCount(int event) const {
  return static_cast<int>(std::count_if(subscriptions_.begin(), subscriptions_.end(),
                                        [event](const auto& s) { return s->event == event; }));
}

int ModelImpl::SubscriberCount() const { return static_cast<int>(subscriptions_.size()); }

void PriorityModel::SubscribeWithPriority(int event, const void* subscriber, int priority,
                                          PriorityEventCallback callback) {
  if (!callback) return;
  auto s = std::make_shared<PrioritySubscription>();
  s->event = event;
  s->subscriber = subscriber;
  s->priority = priority;
  s->callback = std::move(callback);
  // Stable: equal priorities keep subscription order.
  auto pos = std::find_if(priority_subscriptions_.begin(), priority_subscriptions_.end(),
                          [priority](const auto& e) { return e->priority < priority; });
  priority_subscriptions_.insert(pos, std::move(s));
}

void PriorityModel::UnsubscribePriority(const void* subscriber) {
  auto gone = [&](const std::shared_ptr<PrioritySubscription>& s) {
    if (s->subscriber != subscriber) return false;
    s->active = false;
    return true;
  };
  priority_subscriptions_.erase(
      std::remove_if(priority_subscriptions_.begin(), priority_subscriptions_.end(), gone),
      priority_subscriptions_.end());
}

bool PriorityModel::FirePriorityEvent(int event, Variant* payload) {
  bool handled = false;
  std::vector<std::shared_ptr<PrioritySubscription>> targets;
  for (const auto& s : priority_subscriptions_)
    if (s->event == event) targets.push_back(s);
  for (const auto& s : targets) {
    if (!s->active) continue;
    PriorityEventCallback callback = s->callback;
    callback(payload, &handled);
    if (handled) break;
  }
  return handled;
}

int PriorityModel::PrioritySubscriberCount(int event) const {
  return static_cast<int>(std::count_if(priority_subscriptions_.begin(),
                                        priority_subscriptions_.end(),
                                        [event](const auto& s) { return s->event == event; }));
}

}  // namespace framework
