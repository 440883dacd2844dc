// framework::ViewModel, UIViewModel and StatefulViewModel: a page's logic, talking to its view
// only through numbered properties (view model -> view) and actions (view -> view model).
//
//   vm->BindProp(400028, [this](const Variant* v) { OnUiDataChanged(v); });   // in the view
//   SetPropValue(400028, ui_data);                                             // in the view model
//   vm->Handle(0x647977F, nullptr);                    // the view sends an action
//
// A property set before its handler is bound is delivered when the handler binds. Model
// subscriptions recorded with RecordSubscribe end when the view model ends, so no model can call
// back into a destroyed view model. UI thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/location.h"
#include "platform/base/variant.h"
#include "platform/framework/model.h"

namespace framework {

using PropHandler = std::function<void(const Variant*)>;

class ViewModel : public std::enable_shared_from_this<ViewModel> {
 public:
  ViewModel();
  virtual ~ViewModel();
  ViewModel(const ViewModel&) = delete;
  ViewModel& operator=(const ViewModel&) = delete;

  void SetType(int type) { type_ = type; }
  int type() const { return type_; }

  // View side.
  void BindProp(int prop, PropHandler handler);
  void UnbindProps();
  // Runs the action; a view model held by shared pointers stays alive until it returns, even
  // when the action disposes of its view.
  void Handle(int action, const Variant* param);
  virtual void OnViewAttached(const Variant* params);
  virtual void OnViewDetached();
  bool IsViewAttached() const { return attached_; }
  // The view this view model serves, as an opaque navigation context.
  void SetViewContext(void* context) { view_context_ = context; }
  void* view_context() const { return view_context_; }

  // Every view model alive now, oldest first (the host finds pages' view models by type).
  static std::vector<ViewModel*> LiveViewModels();

  // View-model side.
  void SetPropValue(int prop, Variant value);
  // The last value set for prop, or null.
  Variant PickPropValue(int prop) const;
  bool HasPropValue(int prop) const { return props_.count(prop) > 0; }

  // Records a model this view model subscribes to, so that its subscriptions are dropped by
  // RecordClearSubscribe or, at the latest, when the view model ends.
  void RecordSubscribe(Model* model, const void* subscriber);
  // Subscribes this view model to event of model and records it.
  void RecordSubscribe(Model* model, int event, EventCallback callback,
                       const base::Location& location);
  // Unsubscribes subscriber from model and forgets the record.
  void RecordClearSubscribe(Model* model, const void* subscriber);
  void RecordPrioritySubscribe(PriorityModel* model, int event, int priority,
                               PriorityEventCallback callback);
  void RecordClearPrioritySubscribe(PriorityModel* model);

 protected:
  virtual void HandleAction(int action, const Variant* param);

 private:
  struct Record {
    std::weak_ptr<Model> model;
    const void* subscriber;
    bool priority;
  };
  void ClearRecords();

  int type_ = 0;
  bool attached_ = false;
  void* view_context_ = nullptr;
  std::map<int, std::shared_ptr<const Variant>> props_;
  std::map<int, PropHandler> handlers_;
  std::vector<Record> records_;
};

// A view model that can show texts and toasts and navigate from its view.
class UIViewModel : public ViewModel {
 public:
  // Texts of the host's string table (trace table "host") in the current language; "" when
  // the id is unknown.
  std::string GetLocalizedString(int id) const;
  // Texts of the host's asset string table (trace table "asset").
  std::string GetAssetLocalizedString(int id) const;
  // A format pattern of the host's string table, for StringFormatter.
  std::string FormatString(int id) const;
  void ShowToast(int type, const std::string& text, int duration_ms, int icon,
                 const std::string& action_text, const std::string& action_url);
  void* context() const { return view_context(); }
};

// A UI view model with a current state that the view follows.
class StatefulViewModel : public UIViewModel {
 public:
  StatefulViewModel() = default;
  // initial_state: what GetCurrentState() answers before the first SetStatefulData.
  explicit StatefulViewModel(int initial_state) : state_(initial_state) {}

  using StateListener = std::function<void(int state, const Variant* data)>;
  // Sets the state (changed or not) and reports it to the view.
  void SetStatefulData(int state, const Variant* data);
  int GetCurrentState() const { return state_; }
  void SetStateListener(StateListener listener) { state_listener_ = std::move(listener); }

 private:
  int state_ = 0;
  StateListener state_listener_;
};

}  // namespace framework
