// The close-meeting window as the host drives it: by URI through the navigator, the dispatcher
// and the controller's actions, with the real pages and view models inside.
#include <QApplication>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "after_meeting/conclusion/after_meeting_conclusion_view.h"
#include "after_meeting/conclusion/conclusion_contract.h"
#include "after_meeting/container/close_meeting_container_controller.h"
#include "after_meeting/container/close_meeting_container_dialog.h"
#include "after_meeting/container/close_meeting_container_view.h"
#include "after_meeting/container/container_contract.h"
#include "after_meeting/feedback/after_meeting_feedback_view.h"
#include "after_meeting/host/ioc_container.h"
#include "platform/framework/navigation.h"
#include "platform/testing/manual_animation_driver.h"
#include "platform/widgets/animation_tracker.h"
#include "platform/widgets/custom_text_edit.h"
#include "platform/widgets/qf_label.h"
#include "platform/widgets/qf_push_button.h"
#include "platform/widgets/qf_widget.h"
#include "platform/widgets/qss_setter.h"
#include "tests/after_meeting/view_model_fixture.h"
#include "tests/platform/widgets_test_support.h"

namespace after_meeting::test {
namespace {

constexpr char kFeedbackInfo[] = R"({"feedback": {
    "EvaluateState": {"title": "How was it?", "desc": "",
                      "left": {"text": "Good", "report": "r_up"},
                      "right": {"text": "Bad", "report": "r_down"}},
    "ResultState": {"title": "Thanks!", "desc": "Sent"},
    "FeedbackState": {"title": "What went wrong?", "list": ["Echo", "Lag", "No sound"],
                      "confirm": {"text": "Send", "report": "r_submit"}}}})";

using widgets_test::Spoken;

class ContainerWindow : public ViewModelTest {
 protected:
  void TearDown() override {
    framework::module::Dispatcher::GetInstance()->Finish(kCloseMeetingContainerUri);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ViewModelTest::TearDown();
  }

  std::shared_ptr<CloseMeetingContainerController> Controller() {
    return std::dynamic_pointer_cast<CloseMeetingContainerController>(
        ControllerManager::Instance()->IocGet(kCloseMeetingContainerUri));
  }
  CloseMeetingContainerView* View() { return Controller()->view(); }
  CloseMeetingContainerDialog* Dialog() { return View() ? View()->dialog() : nullptr; }
  void Open() {
    framework::module::Navigator::Of(nullptr, true).Push(kCloseMeetingContainerUri, Variant());
  }
  void Close() { framework::module::Dispatcher::GetInstance()->Finish(kCloseMeetingContainerUri); }
  void SetPage(int page) {
    const Variant param(page);
    model()->Call(kCallSetCloseMeetingContainerPage, &param, nullptr);
  }
  // Runs what the event loop holds: deferred resizes, layout requests.
  static void Loop() { QCoreApplication::processEvents(); }
  int FittedHeight(AppBaseQTView* page) {
    const int page_height = page ? std::max(CloseMeetingContainerDialog::kMainMinimumHeight,
                                            page->frame()->sizeHint().height())
                                 : CloseMeetingContainerDialog::kMainMinimumHeight;
    return page_height + 2 * Dialog()->GetShadowHeight();
  }
  Variant LastWindowLine() {
    auto lines = rec_.Of("window");
    return lines.empty() ? Variant() : lines.back();
  }
};

TEST_F(ContainerWindow, ControllerShowsHidesClosesAndRebuildsTheWindow) {
  auto controller = Controller();
  ASSERT_NE(controller, nullptr);
  // Nothing built yet: every action is harmless, the queries answer nothing.
  for (const char* action : {"hide", "close", "update_pos", "bogus"})
    controller->Call(action, nullptr);
  EXPECT_EQ(controller->view(), nullptr);
  EXPECT_EQ(controller->CallHasResult("get_qt_window", nullptr), nullptr);
  EXPECT_EQ(controller->CallHasResult("get_window_handle", nullptr), nullptr);

  Open();
  CloseMeetingContainerView* view = View();
  ASSERT_NE(view, nullptr);
  QPointer<CloseMeetingContainerDialog> dialog = view->dialog();
  ASSERT_FALSE(dialog.isNull());
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->objectName(), "AfterMeetingDialog");
  EXPECT_TRUE(dialog->windowFlags() & Qt::Tool);
  EXPECT_TRUE(dialog->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_FALSE(dialog->IsTitleBarShown());
  // Both pages live in the main widget; the conclusion page shows first.
  EXPECT_EQ(view->page(), kPageConclusion);
  EXPECT_TRUE(view->conclusion_view()->frame()->isVisible());
  EXPECT_FALSE(view->feedback_view()->frame()->isVisible());
  EXPECT_EQ(view->feedback_view()->frame()->parentWidget(), dialog->GetMainWidget());
  EXPECT_TRUE(rec_.HasLog("[View state change] The state changes to 1"));
  EXPECT_TRUE(LastWindowLine().GetBool("visible"));
  EXPECT_EQ(LastWindowLine().GetInt32("page"), kPageConclusion);

  // A second show only shows again.
  controller->Call("hide", nullptr);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_FALSE(LastWindowLine().GetBool("visible", true));
  controller->Call("show", nullptr);
  EXPECT_EQ(View(), view);
  EXPECT_EQ(view->dialog(), dialog.data());
  EXPECT_TRUE(dialog->isVisible());

  auto qt_window = controller->CallHasResult("get_qt_window", nullptr);
  ASSERT_NE(qt_window, nullptr);
  EXPECT_EQ(qt_window->AsPointer(), static_cast<void*>(dialog.data()));
  auto handle = controller->CallHasResult("get_window_handle", nullptr);
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(handle->AsPointer(), reinterpret_cast<void*>(dialog->winId()));
  EXPECT_EQ(controller->CallHasResult("show", nullptr), nullptr);
  const QRect geometry = dialog->geometry();
  controller->Call("update_pos", nullptr);
  controller->Call("Show", nullptr);  // names are exact
  EXPECT_EQ(dialog->geometry(), geometry);
  EXPECT_EQ(View(), view);

  // The dispatcher closes it: the view goes at once, the window with the next loop.
  Close();
  EXPECT_EQ(controller->view(), nullptr);
  EXPECT_EQ(controller->CallHasResult("get_qt_window", nullptr), nullptr);
  EXPECT_FALSE(dialog->isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(dialog.isNull());

  // Shown again: a fresh window on the conclusion page, even after the feedback page was last.
  Open();
  ASSERT_NE(View(), nullptr);
  SetPage(kPageFeedback);
  Close();
  Open();
  ASSERT_NE(Dialog(), nullptr);
  EXPECT_EQ(View()->page(), kPageConclusion);
  EXPECT_TRUE(Dialog()->isVisible());
}

TEST_F(ContainerWindow, PagesSwitchWidthAndFitTheWindowOnTheNextLoop) {
  SendFeedbackInfo(kFeedbackInfo);
  Open();
  Loop();
  CloseMeetingContainerView* view = View();
  AfterMeetingFeedbackView* feedback = view->feedback_view();
  AfterMeetingConclusionView* conclusion = view->conclusion_view();
  EXPECT_EQ(Dialog()->height(), FittedHeight(conclusion));

  SetPage(kPageFeedback);
  EXPECT_TRUE(rec_.HasLog("[After meeting] - ContainerChange: 2"));
  EXPECT_TRUE(feedback->frame()->isVisible());
  EXPECT_FALSE(conclusion->frame()->isVisible());
  EXPECT_EQ(LastWindowLine().GetInt32("page"), kPageFeedback);
  const int feedback_height = FittedHeight(feedback);
  ASSERT_NE(Dialog()->height(), feedback_height);  // deferred: not yet
  Loop();
  EXPECT_EQ(Dialog()->height(), feedback_height);
  EXPECT_EQ(Dialog()->width(), 400 + 20);
  EXPECT_EQ(LastWindowLine().GetInt32("outer_height"), feedback_height);
  EXPECT_EQ(LastWindowLine().GetInt32("outer_width"), 400 + 20);

  SetPage(kPageConclusion);
  EXPECT_TRUE(conclusion->frame()->isVisible());
  EXPECT_FALSE(feedback->frame()->isVisible());
  Loop();
  EXPECT_EQ(Dialog()->height(), FittedHeight(conclusion));
  EXPECT_EQ(Dialog()->width(), 420 + 20);

  // Only the page on show may ask for a resize.
  Dialog()->resize(Dialog()->width(), 500);
  emit feedback->NeedUpdateSize();
  Loop();
  EXPECT_EQ(Dialog()->height(), 500);
  emit conclusion->NeedUpdateSize();
  Loop();
  EXPECT_EQ(Dialog()->height(), FittedHeight(conclusion));

  // An unknown page shows neither.
  SetPage(7);
  EXPECT_EQ(view->page(), 7);
  EXPECT_FALSE(conclusion->frame()->isVisible());
  EXPECT_FALSE(feedback->frame()->isVisible());
  EXPECT_EQ(Dialog()->GetMainWidget()->width(), 0);
  Loop();
  EXPECT_EQ(Dialog()->height(), FittedHeight(nullptr));
}

TEST_F(ContainerWindow, AnimatedHeightHoldsImmediateResizesUntilItEnds) {
  testing_support::ManualAnimationDriver driver;
  Open();
  SetPage(3);  // no page: the window may be as low as its main widget's minimum
  Loop();
  CloseMeetingContainerView* view = View();
  const int resting = FittedHeight(nullptr);
  ASSERT_EQ(Dialog()->height(), resting);

  int calls = 0;
  int height_at_end = -1;
  emit view->conclusion_view()->UpdateHeightWithAnimation(300, 200, [&](void* arg) {
    ++calls;
    EXPECT_EQ(arg, nullptr);
    height_at_end = Dialog()->height();
  });
  EXPECT_TRUE(view->animating());
  EXPECT_EQ(AnimationTracker::RunningFiniteCount(), 1);
  driver.Step(100);
  const int midway = Dialog()->height();
  EXPECT_GT(midway, resting);
  EXPECT_LT(midway, 320);
  view->UpdateContainerSize();
  Loop();
  EXPECT_EQ(Dialog()->height(), midway);  // held
  driver.Step(100);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(height_at_end, 320);
  EXPECT_FALSE(view->animating());
  EXPECT_EQ(AnimationTracker::RunningFiniteCount(), 0);
  Loop();
  EXPECT_EQ(Dialog()->height(), resting);  // caught up once the animation ended

  // Without a callback the animation still ends and lets resizes through.
  view->AnimateHeight(150, 100, nullptr);
  driver.Step(100);
  EXPECT_FALSE(view->animating());
  EXPECT_EQ(calls, 1);
}

TEST_F(ContainerWindow, DeferredWorkOutlivingTheClosedWindowTouchesNothing) {
  testing_support::ManualAnimationDriver driver;
  SendFeedbackInfo(kFeedbackInfo);
  Open();
  Loop();
  std::weak_ptr<AppBaseView> weak = View()->weak_from_this();
  QPointer<CloseMeetingContainerDialog> dialog = Dialog();
  // Fits posted by the page switch and by the page, then a height animation left midway.
  SetPage(kPageFeedback);
  emit View()->feedback_view()->NeedUpdateSize();
  int calls = 0;
  emit View()->conclusion_view()->UpdateHeightWithAnimation(400, 200, [&](void*) { ++calls; });
  driver.Step(50);
  Close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(dialog.isNull());
  EXPECT_TRUE(weak.expired());
  rec_.Clear();
  Loop();
  driver.Step(300);
  EXPECT_TRUE(rec_.Of("window").empty());
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(AnimationTracker::RunningFiniteCount(), 0);
}

TEST_F(ContainerWindow, TwoHundredShowCloseCyclesLeaveNothingBehind) {
  testing_support::ManualAnimationDriver driver;
  SendFeedbackInfo(kFeedbackInfo);
  // One cycle first, so that what lives for the whole process exists already.
  Open();
  Close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  const int widgets = QApplication::allWidgets().size();
  const int windows = QApplication::topLevelWidgets().size();
  const int app_children = QCoreApplication::instance()->children().size();
  const size_t view_models = framework::ViewModel::LiveViewModels().size();
  const int styled = QssSetter::TrackedWidgetCount();

  for (int i = 0; i < 200; ++i) {
    Open();
    ASSERT_NE(Dialog(), nullptr) << i;
    if (i % 2) SetPage(kPageFeedback);
    Loop();
    driver.Step(500);  // lets any height animation of the page run out
    Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  EXPECT_EQ(QApplication::allWidgets().size(), widgets);
  EXPECT_EQ(QApplication::topLevelWidgets().size(), windows);
  EXPECT_EQ(QCoreApplication::instance()->children().size(), app_children);
  EXPECT_EQ(framework::ViewModel::LiveViewModels().size(), view_models);
  EXPECT_EQ(QssSetter::TrackedWidgetCount(), styled);
  EXPECT_EQ(AnimationTracker::RunningFiniteCount(), 0);
}

// Tab and Enter only: rate the meeting, choose two tags, type a text, submit, close.
TEST_F(ContainerWindow, WholeWindowWorksFromTheKeyboard) {
  SendFeedbackInfo(kFeedbackInfo);
  Open();
  Loop();
  CloseMeetingContainerDialog* dialog = Dialog();
  QApplication::setActiveWindow(dialog);
  EXPECT_EQ(Spoken(dialog), "Meeting summary");
  EXPECT_FALSE(Spoken(dialog, QAccessible::Description).isEmpty());
  // Keys go where the window sends them: the focused control, or the window itself.
  const auto press = [dialog](Qt::Key key) {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : static_cast<QWidget*>(dialog), key);
  };
  const auto tab_to = [&](QWidget* want) {
    for (int i = 0; i < 40 && QApplication::focusWidget() != want; ++i) press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), want);
  };

  // The meeting-end answer arrives: the conclusion page shows its rating row.
  Variant result = V(R"({"biz_code": 0, "msg": "", "status_code": 200, "basic_info": {}})");
  model()->FireEvent(kEventConclusionInfoComplete, &result);
  Loop();

  // Rate the meeting: thumbs down.
  QWidget* dislike = View()->conclusion_view()->widgets().dislike_button;
  ASSERT_NE(dislike, nullptr);
  ASSERT_TRUE(dislike->isVisible());
  tab_to(dislike);
  press(Qt::Key_Return);
  ASSERT_NE(View(), nullptr);
  ASSERT_EQ(View()->page(), kPageFeedback);
  Loop();

  // The feedback page, top to bottom.
  QWidget* page = View()->feedback_view()->frame();
  auto* back = page->findChild<QFLabel*>("feedback_back_icon");
  auto* edit = page->findChild<CustomTextEdit*>("feedback_other_problems");
  auto* submit = page->findChild<QFPushButton*>("feedback_submit_btn");
  QList<QFPushButton*> tags =
      page->findChild<QWidget*>("feedback_question_list")->findChildren<QFPushButton*>();
  ASSERT_EQ(tags.size(), 3);
  // Each Tab moves one control down; the submit button joins once it is enabled.
  const auto next = [&](QWidget* want) {
    press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), want) << want->objectName().toStdString();
  };
  tab_to(back);
  next(tags[0]);
  press(Qt::Key_Return);
  next(tags[1]);
  next(tags[2]);
  press(Qt::Key_Space);
  EXPECT_TRUE(tags[0]->isChecked());
  EXPECT_FALSE(tags[1]->isChecked());
  EXPECT_TRUE(tags[2]->isChecked());
  next(edit);
  QTest::keyClicks(edit, "echo");
  ASSERT_TRUE(submit->isEnabled());
  next(submit);  // leaves the box rather than typing a tab
  EXPECT_EQ(edit->toPlainText(), "echo");
  press(Qt::Key_Return);

  EXPECT_EQ(View()->page(), kPageConclusion);
  auto reports = reports_->CallsOf(host::feedback_report::kCallReport);
  ASSERT_FALSE(reports.empty());
  const Variant& data = reports.back().params.Get("data");
  EXPECT_EQ(reports.back().params.GetString("report"), "r_submit");
  EXPECT_EQ(data.GetString("other_problems"), "echo");
  EXPECT_NE(data.GetString("problems").find("\"No sound\": \"1\""), std::string::npos)
      << data.GetString("problems");

  // Esc closes the window as the close button does.
  Loop();
  rec_.Clear();
  press(Qt::Key_Escape);
  EXPECT_EQ(Controller()->view(), nullptr);
  bool close_reported = false;
  for (const Variant& r : rec_.Of("report"))
    close_reported |= r.GetString("id") == conclusion::report::kCloseClick;
  EXPECT_TRUE(close_reported);
}

}  // namespace
}  // namespace after_meeting::test
