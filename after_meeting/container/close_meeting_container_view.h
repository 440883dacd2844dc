// CloseMeetingContainerView: the close-meeting window. It builds the dialog with the conclusion
// and feedback pages in it, shows the page its view model names, and keeps the window fitted to
// that page, at once (deferred to the event loop) or by an animated change of height that the
// conclusion page asks for. Immediate resizes wait while an animation runs.
//
//   auto view = std::make_shared<CloseMeetingContainerView>();
//   view->SetViewModel(provider->BuildViewModel(kTypeCloseMeetingContainerViewModel));
//   view->BuildFromParams({}, nullptr);  view->Show();
//
// Held by a shared pointer; deferred resizes and animation steps hold weak references to it.
// Esc anywhere in the window does what the conclusion page's close button does. UI thread only.
#pragma once

#include <memory>

#include <QPointer>

#include "after_meeting/conclusion/after_meeting_conclusion_view.h"
#include "after_meeting/container/close_meeting_container_dialog.h"
#include "platform/base/variant.h"
#include "platform/framework/app_qt_view.h"

namespace after_meeting {

class AfterMeetingFeedbackView;
class LanguageWatch;

class CloseMeetingContainerView : public AppQTWindowView {
  Q_OBJECT

 public:
  CloseMeetingContainerView();
  ~CloseMeetingContainerView() override;

  // The window stays open when the window manager asks: the module closes it itself.
  bool OnCloseEvent(BaseDialog* dialog) override { return false; }

  // Schedules a resize to the visible page.
  void UpdateContainerSize();
  // Animates the window's height to height (page pixels) over duration ms, then calls callback.
  void AnimateHeight(int height, int duration, UpdateSizeEndCallback callback);

  CloseMeetingContainerDialog* dialog() const { return dialog_; }
  AfterMeetingConclusionView* conclusion_view() const { return conclusion_view_.get(); }
  AfterMeetingFeedbackView* feedback_view() const { return feedback_view_.get(); }
  int page() const { return page_; }
  bool animating() const { return animating_; }

 public slots:
  void UpdateFeedbackSize();
  void UpdateConclusionSize();

 protected:
  void OnDeactivate() override;
  void OnDispose() override;
  void OnActivate() override;
  QWidget* CreateFrame(QWidget* parent) override;
  void OnViewStatefulChanged(int state, const base::variant::Variant* data) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildPages();
  void SwitchPage();
  void ApplyContainerSize();
  void ApplyAccessibleTexts();
  void CloseFromKeyboard();
  // Whether a page's frame is shown in the window (whether or not the window is on screen).
  bool IsPageShown(const AppBaseQTView* page) const;

  QPointer<CloseMeetingContainerDialog> dialog_;
  std::shared_ptr<AfterMeetingConclusionView> conclusion_view_;
  std::shared_ptr<AfterMeetingFeedbackView> feedback_view_;
  int page_ = 0;
  bool animating_ = false;
  std::unique_ptr<LanguageWatch> language_watch_;
};

}  // namespace after_meeting
