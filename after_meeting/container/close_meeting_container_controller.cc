#include "after_meeting/container/close_meeting_container_controller.h"

#include <QWidget>

#include "after_meeting/container/close_meeting_container_view.h"
#include "after_meeting/module/after_meeting_module.h"
#include "after_meeting/module/after_meeting_module_runtime.h"
#include "after_meeting/module/module_constants.h"

namespace after_meeting {

using base::variant::Variant;

namespace {
constexpr char kActionShow[] = "show";
constexpr char kActionHide[] = "hide";
constexpr char kActionClose[] = "close";
constexpr char kActionUpdatePos[] = "update_pos";
constexpr char kActionGetWindowHandle[] = "get_window_handle";
constexpr char kActionGetQtWindow[] = "get_qt_window";
}  // namespace

CloseMeetingContainerController::CloseMeetingContainerController() = default;

CloseMeetingContainerController::~CloseMeetingContainerController() { view_.reset(); }

void CloseMeetingContainerController::Call(const std::string& action,
                                           std::unique_ptr<Variant> params) {
  if (action == kActionShow) {
    ShowContainerView(params.get());
  } else if (action == kActionHide) {
    HideContainerView();
  } else if (action == kActionClose) {
    CloseContainerView();
  } else if (action == kActionUpdatePos) {
    // The window keeps the place it was given; nothing to follow.
  }
}

std::unique_ptr<Variant> CloseMeetingContainerController::CallHasResult(
    const std::string& action, std::unique_ptr<Variant> params) {
  if (action == kActionGetWindowHandle) return WindowHandle();
  if (action == kActionGetQtWindow) return QtWindow();
  return nullptr;
}

void CloseMeetingContainerController::ShowContainerView(const Variant* params) {
  if (!view_ || !view_->frame()) {
    view_ = std::make_shared<CloseMeetingContainerView>();
    AfterMeetingModuleRuntime* runtime = GetModuleRuntime();
    framework::ViewModelProvider* provider = runtime ? runtime->GetViewModelProvider() : nullptr;
    view_->SetViewModel(provider ? provider->BuildViewModel(kTypeCloseMeetingContainerViewModel)
                                 : nullptr);
    view_->BuildFromParams({}, params ? std::make_unique<Variant>(*params) : nullptr);
  }
  // Building may have closed the window again (the page can close itself while it attaches).
  if (view_) view_->Show();
}

void CloseMeetingContainerController::HideContainerView() {
  if (view_) view_->Hide();
}

void CloseMeetingContainerController::CloseContainerView() {
  // Disposing releases the pages' view models, which may ask to close again: view_ is empty
  // by then.
  auto view = std::move(view_);
  if (view) view->Dispose();
}

std::unique_ptr<Variant> CloseMeetingContainerController::WindowHandle() const {
  QWidget* frame = view_ ? view_->frame() : nullptr;
  if (!frame) return nullptr;
  return std::make_unique<Variant>(reinterpret_cast<void*>(frame->winId()));
}

std::unique_ptr<Variant> CloseMeetingContainerController::QtWindow() const {
  QWidget* frame = view_ ? view_->frame() : nullptr;
  if (!frame) return nullptr;
  return std::make_unique<Variant>(static_cast<void*>(frame));
}

}  // namespace after_meeting
