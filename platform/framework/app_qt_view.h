// The framework's view bases: a view owns a frame widget, is bound to one view model and has a
// life cycle of build -> activate (the view model attaches) -> deactivate -> dispose.
//
//   auto view = std::make_shared<MyPageView>();            // derives from AppQTView
//   view->SetViewModel(runtime->GetViewModelProvider()->BuildViewModel(kTypeMyPage));
//   view->BuildAndActivate({}, main_widget, Variant(), Variant());   // CreateFrame + attach
//
//   AppBaseView                 life cycle, view-model binding, state changes
//   AppBaseUIView<QWidget>      + the frame
//   AppBaseQTView               + a QObject (signals, slots, event filters) and tips
//   AppQTView                   a page inside another view's frame
//   AppQTWindowView             a top-level window (its frame is a BaseDialog) with the dialog's
//                               delegate
//   ContributeQTWindowView      + views contributed by extensions, placed by the subclass
//
// Views are always held by shared pointers (state changes and frame notices reach them through
// weak ones) and hand out weak ones themselves (WeakSelf). Dispose deactivates,
// lets the frame go (deleteLater, so a click handler may dispose its own view) and releases
// the view model. UI thread only.
#pragma once

#include <memory>
#include <string>

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "platform/base/variant.h"
#include "platform/framework/view_model.h"
#include "platform/widgets/base_dialog.h"

class AppBaseView : public std::enable_shared_from_this<AppBaseView> {
 public:
  AppBaseView() = default;
  virtual ~AppBaseView();
  AppBaseView(const AppBaseView&) = delete;
  AppBaseView& operator=(const AppBaseView&) = delete;

  // Binds vm: the view model's context becomes this view, its state changes reach
  // OnViewStatefulChanged, and OnViewModelBound runs (which calls BindViewModel).
  void SetViewModel(std::shared_ptr<framework::StatefulViewModel> vm);
  framework::StatefulViewModel* view_model() const { return vm_.get(); }

  // Attaches the view model (OnViewAttached(params)), then OnActivate. Once until deactivated.
  void Activate(const base::variant::Variant* params);
  // OnDeactivate, then detaches the view model.
  void Deactivate();
  // Deactivates, lets the frame go, runs OnDispose and releases the view model. Idempotent.
  void Dispose();
  bool IsActivated() const { return activated_; }
  bool IsDisposed() const { return disposed_; }

  template <class T>
  std::weak_ptr<T> WeakSelf() {
    return std::weak_ptr<T>(std::static_pointer_cast<T>(shared_from_this()));
  }

 protected:
  virtual void OnViewModelBound(framework::StatefulViewModel* vm) { BindViewModel(vm); }
  virtual void BindViewModel(framework::StatefulViewModel* vm) {}
  virtual void OnViewStatefulChanged(int state, const base::variant::Variant* data) {}
  virtual void OnActivate() {}
  virtual void OnDeactivate() {}
  virtual void OnDispose() {}
  // Lets the frame go; the widget bases delete it.
  virtual void ReleaseFrame() {}

 private:
  std::shared_ptr<framework::StatefulViewModel> vm_;
  bool activated_ = false;
  bool disposed_ = false;
};

// A view whose frame is a widget of type W.
template <class W>
class AppBaseUIView : public AppBaseView {
 public:
  W* frame() const { return frame_.data(); }
  void SetVisible(bool visible) {
    if (frame_) frame_->setVisible(visible);
  }

 protected:
  void set_frame(W* frame) { frame_ = frame; }
  QPointer<W> frame_;
};

class AppBaseQTView : public QObject, public AppBaseUIView<QWidget> {
  Q_OBJECT

 public:
  AppBaseQTView();
  ~AppBaseQTView() override;

  // Builds the frame through CreateFrame under the parent view's frame (or the "parent_frame"
  // pointer of params, or none), then activates with params. Returns the frame.
  QWidget* BuildFromParams(std::weak_ptr<AppBaseView> parent,
                           std::unique_ptr<base::variant::Variant> params);
  // Builds the frame inside frame_parent and activates with activate_params.
  QWidget* BuildAndActivate(std::weak_ptr<AppBaseView> parent, QWidget* frame_parent,
                            const base::variant::Variant& build_params,
                            const base::variant::Variant& activate_params);

  void Show();
  void Hide();
  // Tips (tool tips and bubbles) the view shows over its frame.
  void HideTips();
  void DestroyedTips();

 protected:
  // Makes (once) and returns the frame; parent may be null.
  virtual QWidget* CreateFrame(QWidget* parent) = 0;
  // The frame is gone (deleted by its parent or after Dispose).
  virtual void OnFrameDestoryed(QWidget* frame) {}
  void ReleaseFrame() override;

 private:
  QWidget* BuildFrame(QWidget* parent);
};

// A page view placed inside another view's frame.
class AppQTView : public AppBaseQTView {
  Q_OBJECT

 public:
  AppQTView();
  ~AppQTView() override;
};

// A top-level window view; its frame is a BaseDialog whose delegate is this view.
class AppQTWindowView : public AppBaseQTView, public BaseDialogDelegate {
  Q_OBJECT

 public:
  AppQTWindowView();
  ~AppQTWindowView() override;
  // The dialog asks before it closes; the default lets it.
  bool OnCloseEvent(BaseDialog* dialog) override { return true; }

 protected:
  // Filters nothing. Inline, because views install themselves on the whole application and
  // call this for every event the application sees.
  bool eventFilter(QObject* watched, QEvent* event) override { return false; }
  void OnFrameDestoryed(QWidget* frame) override {}
};

// Announces a window's state on the observer seam as kind "window": visible, the main widget's
// width and height, the dialog's outer size (shadow included) and the page it shows. Window
// views call it when the window is shown, hidden, resized or switches page.
void AnnounceWindowState(const BaseDialog* dialog, int page);

// A window view that hosts views contributed by extensions. The view model publishes the
// contribution list (property 0x20101000) and item updates (0x20101001); the subclass places
// the views.
class ContributeQTWindowView : public AppQTWindowView {
  Q_OBJECT

 public:
  static constexpr int kPropContributesDataSource = 0x20101000;
  static constexpr int kPropContributesUpdateItem = 0x20101001;

  ContributeQTWindowView();
  ~ContributeQTWindowView() override;
  // The last contribution list received (an array of items), or null.
  const base::variant::Variant& contributions() const { return contributions_; }

 protected:
  // Binds the contributes properties; subclasses call it from BindViewModel.
  void OnViewModelBoundEx(framework::StatefulViewModel* vm);
  void OnActivate() override {}
  virtual void HandleUpdateContributesDataSource(const base::variant::Variant& items) {}
  virtual void HandleUpdateItemView(const base::variant::Variant* item) {}

 private:
  base::variant::Variant contributions_;
};
