// AfterMeetingConclusionView: the meeting conclusion page, the first page of the close-meeting
// window. It renders the conclusion view model's page data (conclusion_contract.h) into a fixed
// 420 px column, sends the user's clicks back as actions, asks the container for its height
// (NeedUpdateSize, or UpdateHeightWithAnimation for the animated reveal of the panels) and hosts
// the contributed cloud-record view.
//
//   auto view = std::make_shared<AfterMeetingConclusionView>();
//   view->SetViewModel(provider->BuildViewModel(kTypeAfterMeetingConclusionViewModel));
//   view->BuildAndActivate({}, main_widget, Variant(), activate_params);
//   connect(view.get(), &AfterMeetingConclusionView::NeedUpdateSize, ...);
//
// Held by a shared pointer; deferred work and the expand callback hold weak references to it.
// UI thread only.
#pragma once

#include <functional>
#include <memory>
#include <set>
#include <string>

#include <QEvent>
#include <QGraphicsOpacityEffect>
#include <QParallelAnimationGroup>
#include <QPointer>
#include <QString>

#include "platform/base/variant.h"
#include "platform/framework/app_qt_view.h"

class QEvent;
class QFLabel;
class QFPlainLabel;
class QFPushButton;
class QFWidget;
class QFrame;
class QHBoxLayout;
class QVBoxLayout;
class QtImageView;

namespace after_meeting {

class AfterMeetingInfoCellWidget;
class AfterMeetingLightEffectWidget;

// What the container calls when its animated height change has ended; the argument is unused.
using UpdateSizeEndCallback = std::function<void(void*)>;

class AfterMeetingConclusionView : public ContributeQTWindowView {
  Q_OBJECT

 public:
  // The page's widgets, for the container's sizing and for tests and screenshots. Pointers are
  // null before CreateFrame and once the frame is gone.
  struct Widgets {
    QFWidget* frame = nullptr;  // "conclusion_widget"
    QFWidget* content = nullptr;
    QFWidget* top_info_panel = nullptr;
    QFWidget* title_row = nullptr;
    QFLabel* title = nullptr;
    QFWidget* info_block = nullptr;
    QFWidget* meeting_end_row = nullptr;
    QFLabel* time_icon = nullptr;
    QFLabel* start_time = nullptr;
    QFrame* duration_separator = nullptr;
    QFLabel* duration = nullptr;
    QFWidget* carbon_entry = nullptr;
    QFLabel* carbon_text = nullptr;
    QFPlainLabel* carbon_arrow = nullptr;
    QFWidget* member_row = nullptr;
    QFLabel* member_icon = nullptr;
    QFLabel* participant = nullptr;
    QFWidget* skeleton = nullptr;
    QVBoxLayout* skeleton_layout = nullptr;
    QFWidget* skeleton_row1 = nullptr;
    QFWidget* skeleton_row2 = nullptr;
    AfterMeetingLightEffectWidget* light1 = nullptr;
    AfterMeetingLightEffectWidget* light2 = nullptr;
    QFWidget* pay_block = nullptr;
    QFLabel* pay_title = nullptr;
    QFLabel* pay_link = nullptr;
    QFPushButton* upgrade_button = nullptr;
    QWidget* record_container = nullptr;
    QFWidget* app_panel = nullptr;
    QFWidget* feedback_row = nullptr;
    QFLabel* feedback_icon = nullptr;
    QFLabel* feedback_title = nullptr;
    QFLabel* feedback_desc = nullptr;
    QFWidget* like_row = nullptr;
    QFWidget* like_button = nullptr;
    QFPlainLabel* like_icon = nullptr;
    QFPlainLabel* like_text = nullptr;
    QFWidget* dislike_button = nullptr;
    QFPlainLabel* dislike_icon = nullptr;
    QFPlainLabel* dislike_text = nullptr;
    AfterMeetingInfoCellWidget* ai_cell = nullptr;     // content items of type 4
    AfterMeetingInfoCellWidget* apps_cell = nullptr;   // type 2
    AfterMeetingInfoCellWidget* guide_cell = nullptr;  // type 1
    QFWidget* confirm_holder = nullptr;
    QFPushButton* confirm_button = nullptr;
  };

  AfterMeetingConclusionView();
  ~AfterMeetingConclusionView() override;

  // Binds the page properties (after the contributes base's own).
  void BindViewModel(framework::StatefulViewModel* vm) override;
  // Builds the page once; later calls return the same frame. A parent with a layout gets the
  // frame added to it.
  QWidget* CreateFrame(QWidget* parent) override;
  void OnFrameDestoryed(QWidget* frame) override;

  // Null pointers while there is no frame.
  const Widgets& widgets() const;
  QGraphicsOpacityEffect* app_panel_fade() const { return app_panel_fade_; }
  QGraphicsOpacityEffect* record_fade() const { return record_fade_; }
  QParallelAnimationGroup* skeleton_animation() const { return skeleton_animation_; }
  QtImageView* carbon_image() const { return carbon_image_.get(); }
  bool expand_animating() const { return expand_animating_; }
  const QString& like_tips() const { return like_tips_; }
  const QString& dislike_tips() const { return dislike_tips_; }

  // Shows or hides the loading skeleton (second_row: the second bar too) and runs or stops the
  // shimmer.
  void ShowSkeleton(bool show, bool second_row);

 signals:
  void NeedUpdateSize();
  void UpdateHeightWithAnimation(int height, int duration, after_meeting::UpdateSizeEndCallback cb);

 protected:
  void OnDeactivate() override;
  void OnDispose() override;
  void OnActivate() override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void HandleUpdateContributesDataSource(const base::variant::Variant& items) override;
  void HandleUpdateItemView(const base::variant::Variant* item) override;

 private:
  // Out of line, so the filter's path for every other event stays a few instructions.
  __attribute__((noinline)) void OnPress(QEvent* event);
  // Builders, in the order CreateFrame runs them.
  void InitContentUi();
  void InitTopInfoPanel();
  void InitCarbonEntry();
  void InitSkeleton();
  void AddLightAnimation(QWidget* widget);
  void InitPayWidget();
  void InitCloudRecordContainer();
  void InitAppInfoPanel();
  void InitFeedbackRow();
  void InitLikeRow();
  void InitConfirmButton();
  void InitConnections();
  void InitAccessibility();
  void ApplyAccessibleTexts();

  // Property handlers.
  void OnUiDataChanged(const base::variant::Variant* data);
  void OnContentListChanged(const base::variant::Variant* list);
  void OnThirdAppShow(const base::variant::Variant* show);
  void OnConfirmTextChanged(const base::variant::Variant* value);

  void SetCarbonImage(const QString& path, const QString& url);
  void SetCarbonDescElidedTextIfNeed(const QString& text);
  void SetLikeTips(const QString& like, const QString& dislike);
  void UpdateConclusionSize();
  void ShowExpandAnimationIfNeed();
  void RemoveOpacityEffects();
  void SendAction(int action, const base::variant::Variant* param);
  // A property that arrived before the frame existed; CreateFrame delivers it again.
  bool DeferUntilFrame(int prop);

  Widgets ui_;
  QPointer<QFWidget> frame_widget_;
  QPointer<QGraphicsOpacityEffect> app_panel_fade_;
  QPointer<QGraphicsOpacityEffect> record_fade_;
  QPointer<QParallelAnimationGroup> skeleton_animation_;
  std::shared_ptr<QtImageView> carbon_image_;
  bool expand_animating_ = false;
  QString like_tips_;
  QString dislike_tips_;
  std::set<int> props_before_frame_;
  // The last mouse press the filter acted on: one press reaches it once per receiver.
  unsigned long last_press_timestamp_ = 0;
  // Read once: the filter compares every event of the application against it.
  const QEvent::Type native_press_type_;
  int language_listener_ = 0;
};

}  // namespace after_meeting

Q_DECLARE_METATYPE(after_meeting::UpdateSizeEndCallback)
