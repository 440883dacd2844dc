#include "platform/framework/app_qt_view.h"

#include <QLayout>
#include <QToolTip>

#include "platform/base/observer.h"

AppBaseView::~AppBaseView() = default;

void AppBaseView::SetViewModel(std::shared_ptr<framework::StatefulViewModel> vm) {
  if (vm_) {
    vm_->UnbindProps();
    vm_->SetStateListener(nullptr);
    vm_->SetViewContext(nullptr);
  }
  vm_ = std::move(vm);
  if (!vm_) return;
  vm_->SetViewContext(this);
  // The state listener is owned by the view model; it must not call into a view that is gone.
  std::weak_ptr<AppBaseView> weak = weak_from_this();
  vm_->SetStateListener([weak](int state, const base::variant::Variant* data) {
    if (auto self = weak.lock()) self->OnViewStatefulChanged(state, data);
  });
  OnViewModelBound(vm_.get());
}

void AppBaseView::Activate(const base::variant::Variant* params) {
  if (activated_ || disposed_) return;
  activated_ = true;
  if (vm_) vm_->OnViewAttached(params);
  OnActivate();
}

void AppBaseView::Deactivate() {
  if (!activated_) return;
  activated_ = false;
  OnDeactivate();
  if (vm_) vm_->OnViewDetached();
}

void AppBaseView::Dispose() {
  if (disposed_) return;
  disposed_ = true;
  Deactivate();
  ReleaseFrame();
  OnDispose();
  if (vm_) {
    vm_->UnbindProps();
    vm_->SetStateListener(nullptr);
    vm_->SetViewContext(nullptr);
    // Released last: its destructor may call back into the host (which may dispose views).
    std::shared_ptr<framework::StatefulViewModel> vm = std::move(vm_);
    vm.reset();
  }
}

AppBaseQTView::AppBaseQTView() = default;

AppBaseQTView::~AppBaseQTView() = default;

QWidget* AppBaseQTView::BuildFrame(QWidget* parent) {
  if (frame_) return frame_;
  QWidget* frame = CreateFrame(parent);
  if (!frame) return nullptr;
  set_frame(frame);
  // The frame may die with its parent before the view: tell the view, if it is still there.
  std::weak_ptr<AppBaseView> weak = weak_from_this();
  QObject::connect(frame, &QObject::destroyed, this, [this, weak, frame] {
    if (weak.expired()) return;  // the view is being destroyed itself
    OnFrameDestoryed(frame);
  });
  return frame;
}

QWidget* AppBaseQTView::BuildFromParams(std::weak_ptr<AppBaseView> parent,
                                        std::unique_ptr<base::variant::Variant> params) {
  QWidget* parent_frame = nullptr;
  if (auto p = std::dynamic_pointer_cast<AppBaseQTView>(parent.lock())) parent_frame = p->frame();
  if (!parent_frame && params && params->IsMap())
    parent_frame = static_cast<QWidget*>(params->Get("parent_frame").AsPointer());
  QWidget* frame = BuildFrame(parent_frame);
  Activate(params.get());
  return frame;
}

QWidget* AppBaseQTView::BuildAndActivate(std::weak_ptr<AppBaseView> parent, QWidget* frame_parent,
                                         const base::variant::Variant& build_params,
                                         const base::variant::Variant& activate_params) {
  QWidget* frame = BuildFrame(frame_parent);
  Activate(&activate_params);
  return frame;
}

void AppBaseQTView::Show() {
  QWidget* w = frame();
  if (!w) return;
  w->show();
  if (w->isWindow()) {
    w->raise();
    w->activateWindow();
  }
}

void AppBaseQTView::Hide() {
  if (QWidget* w = frame()) w->hide();
}

void AppBaseQTView::HideTips() { QToolTip::hideText(); }

void AppBaseQTView::DestroyedTips() { QToolTip::hideText(); }

void AppBaseQTView::ReleaseFrame() {
  QWidget* w = frame();
  if (!w) return;
  w->hide();
  // Later, not now: the dispose may come from a handler of one of the frame's own widgets.
  w->deleteLater();
  set_frame(nullptr);
}

AppQTView::AppQTView() = default;
AppQTView::~AppQTView() = default;

AppQTWindowView::AppQTWindowView() = default;
AppQTWindowView::~AppQTWindowView() = default;

ContributeQTWindowView::ContributeQTWindowView() = default;
ContributeQTWindowView::~ContributeQTWindowView() = default;

void ContributeQTWindowView::OnViewModelBoundEx(framework::StatefulViewModel* vm) {
  if (!vm) return;
  vm->BindProp(kPropContributesDataSource, [this](const base::variant::Variant* items) {
    contributions_ = items ? *items : base::variant::Variant();
    HandleUpdateContributesDataSource(contributions_);
  });
  vm->BindProp(kPropContributesUpdateItem,
               [this](const base::variant::Variant* item) { HandleUpdateItemView(item); });
}

void AnnounceWindowState(const BaseDialog* dialog, int page) {
  if (!dialog) return;
  base::observer::Notify("window", [&] {
    base::variant::Variant::Map m;
    const QWidget* main = dialog->GetMainWidget();
    m["visible"] = dialog->isVisible();
    m["width"] = main ? main->width() : 0;
    m["height"] = main ? main->height() : 0;
    m["outer_width"] = dialog->width();
    m["outer_height"] = dialog->height();
    m["page"] = page;
    return base::variant::Variant(std::move(m));
  });
}
