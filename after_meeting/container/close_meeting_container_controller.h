// CloseMeetingContainerController: the scheme controller of the close-meeting window, found by
// the host under kCloseMeetingContainerUri and driven with named actions: "show" builds the
// window (once) and shows it, "hide" hides it, "close" disposes of it, "update_pos" is accepted;
// "get_window_handle" and "get_qt_window" answer with the window as a pointer value.
//
//   auto c = ControllerManager::Instance()->IocGet(kCloseMeetingContainerUri);
//   c->Call("show", nullptr);
//
// UI thread only.
#pragma once

#include <memory>
#include <string>

#include "platform/framework/controller.h"

namespace after_meeting {

class CloseMeetingContainerView;

class CloseMeetingContainerController : public framework::Controller {
 public:
  CloseMeetingContainerController();
  ~CloseMeetingContainerController() override;
  void Call(const std::string& action, std::unique_ptr<base::variant::Variant> params) override;
  std::unique_ptr<base::variant::Variant> CallHasResult(
      const std::string& action, std::unique_ptr<base::variant::Variant> params) override;

  // The window's view while one is built (for the host's and tests' inspection).
  CloseMeetingContainerView* view() const { return view_.get(); }

 private:
  void ShowContainerView(const base::variant::Variant* params);
  void HideContainerView();
  void CloseContainerView();
  std::unique_ptr<base::variant::Variant> WindowHandle() const;
  std::unique_ptr<base::variant::Variant> QtWindow() const;

  std::shared_ptr<CloseMeetingContainerView> view_;
};

}  // namespace after_meeting
