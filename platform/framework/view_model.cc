#include "platform/framework/view_model.h"

#include <algorithm>

#include "platform/base/observer.h"
#include "platform/framework/localized_strings.h"

namespace framework {

namespace {
std::vector<ViewModel*>& Live() {
  static auto* live = new std::vector<ViewModel*>();
  return *live;
}
}  // namespace

ViewModel::ViewModel() { Live().push_back(this); }

ViewModel::~ViewModel() {
  ClearRecords();
  Live().erase(std::remove(Live().begin(), Live().end(), this), Live().end());
}

std::vector<ViewModel*> ViewModel::LiveViewModels() { return Live(); }

void ViewModel::BindProp(int prop, PropHandler handler) {
  if (!handler) return;
  handlers_[prop] = handler;
  auto it = props_.find(prop);
  if (it != props_.end()) {
    const std::shared_ptr<const Variant> value = it->second;
    handler(value.get());
  }
}

void ViewModel::UnbindProps() { handlers_.clear(); }

void ViewModel::Handle(int action, const Variant* param) {
  // An action may close the page, and with it the view that owns this view model: stay alive
  // until the handler has returned.
  std::shared_ptr<ViewModel> keep_alive = weak_from_this().lock();
  HandleAction(action, param);
}

void ViewModel::HandleAction(int, const Variant*) {}

void ViewModel::OnViewAttached(const Variant*) { attached_ = true; }

void ViewModel::OnViewDetached() { attached_ = false; }

void ViewModel::SetPropValue(int prop, Variant value) {
  base::observer::Notify("prop", [&] {
    Variant::Map m;
    m["vm_type"] = type_;
    m["prop"] = prop;
    m["value"] = value;
    return Variant(std::move(m));
  });
  // Shared rather than copied: a handler that sets the property again replaces the stored value
  // while the one it was given lives on until it returns.
  const auto stored = std::make_shared<const Variant>(std::move(value));
  props_[prop] = stored;
  auto it = handlers_.find(prop);
  if (it == handlers_.end()) return;
  // The handler may rebind or unbind: call a copy.
  PropHandler handler = it->second;
  handler(stored.get());
}

Variant ViewModel::PickPropValue(int prop) const {
  auto it = props_.find(prop);
  return it == props_.end() ? Variant() : *it->second;
}

void ViewModel::RecordSubscribe(Model* model, const void* subscriber) {
  if (!model) return;
  for (const Record& r : records_)
    if (!r.priority && r.subscriber == subscriber && r.model.lock().get() == model) return;
  records_.push_back({model->weak_from_this(), subscriber, false});
}

void ViewModel::RecordSubscribe(Model* model, int event, EventCallback callback,
                                const base::Location& location) {
  if (!model) return;
  RecordSubscribe(model, this);
  model->SubscribeWithLocation(event, this, std::move(callback), location);
}

void ViewModel::RecordClearSubscribe(Model* model, const void* subscriber) {
  if (!model) return;
  model->Unsubscribe(subscriber);
  records_.erase(
      std::remove_if(records_.begin(), records_.end(),
                     [&](const Record& r) {
                       auto m = r.model.lock();
                       return !m || (m.get() == model && r.subscriber == subscriber && !r.priority);
                     }),
      records_.end());
}

void ViewModel::RecordPrioritySubscribe(PriorityModel* model, int event, int priority,
                                        PriorityEventCallback callback) {
  if (!model) return;
  records_.push_back({model->weak_from_this(), this, true});
  model->SubscribeWithPriority(event, this, priority, std::move(callback));
}

void ViewModel::RecordClearPrioritySubscribe(PriorityModel* model) {
  if (!model) return;
  model->UnsubscribePriority(this);
  records_.erase(std::remove_if(records_.begin(), records_.end(),
                                [&](const Record& r) {
                                  auto m = r.model.lock();
                                  return !m || (m.get() == model && r.priority);
                                }),
                 records_.end());
}

void ViewModel::ClearRecords() {
  for (const Record& r : records_) {
    auto model = r.model.lock();
    if (!model) continue;
    if (r.priority) {
      static_cast<PriorityModel*>(model.get())->UnsubscribePriority(r.subscriber);
    } else {
      model->Unsubscribe(r.subscriber);
    }
  }
  records_.clear();
}

std::string UIViewModel::GetLocalizedString(int id) const {
  return LocalizedStrings::Instance().Lookup(StringTable::kHost, static_cast<uint32_t>(id));
}

std::string UIViewModel::GetAssetLocalizedString(int id) const {
  return LocalizedStrings::Instance().Lookup(StringTable::kAsset, static_cast<uint32_t>(id));
}

std::string UIViewModel::FormatString(int id) const {
  return LocalizedStrings::Instance().Lookup(StringTable::kHost, static_cast<uint32_t>(id));
}

void UIViewModel::ShowToast(int type, const std::string& text, int duration_ms, int icon,
                            const std::string& action_text, const std::string& action_url) {
  base::observer::Notify("toast", [&] {
    Variant::Map m;
    m["text"] = text;
    m["type"] = type;
    m["duration_ms"] = duration_ms;
    return Variant(std::move(m));
  });
  ToastPresenter::Instance().Show(type, text, duration_ms, context());
}

void StatefulViewModel::SetStatefulData(int state, const Variant* data) {
  base::observer::Notify("state", [&] {
    Variant::Map m;
    m["vm_type"] = type();
    m["state"] = state;
    return Variant(std::move(m));
  });
  state_ = state;
  if (state_listener_) {
    StateListener listener = state_listener_;
    listener(state, data);
  }
}

}  // namespace framework
