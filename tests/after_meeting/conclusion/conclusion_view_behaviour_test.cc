// What the conclusion page sends back: actions, size requests, sidebar calls; the record
// extension it hosts; and what happens when it is closed with work still pending.
#include <QCursor>
#include <QTest>

#include "after_meeting/host/ioc_container.h"
#include "platform/framework/extension_contributes.h"
#include "platform/framework/localized_strings.h"
#include "platform/widgets/native_mouse_down_event.h"
#include "tests/after_meeting/conclusion/conclusion_view_fixture.h"

namespace after_meeting::test {
namespace {

namespace ui = c::ui_data;
using ConclusionViewBehaviour = ConclusionViewTest;

// A sidebar window's controller: keeps the actions it was called with.
std::vector<std::string>& SidebarCalls() {
  static std::vector<std::string> calls;
  return calls;
}
template <int N>
class SidebarController : public framework::Controller {
 public:
  void Call(const std::string& action, std::unique_ptr<Variant> params) override {
    SidebarCalls().push_back(std::to_string(N) + ":" + action + (params ? "" : "(null)"));
  }
};

void ClickAt(QWidget* widget, QPoint at = QPoint()) {
  if (at.isNull()) at = widget->rect().center();
  QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
}

TEST_F(ConclusionViewBehaviour, EveryClickSendsItsActionAndParameter) {
  BuildOverRecorder();
  const View::Widgets& w = W();
  SetUi(V(UiJson(std::string(R"(")") + ui::kCarbonVisible + R"(":true,")" + ui::kCarbonTitle +
                 R"(":"12 g",")" + ui::kPayInfoVisible + R"(":true,")" + ui::kPayButtonTitle +
                 R"(":"Upgrade")")));
  SetList(List({Item(3, "How?"), Item(4, "AI"), Item(2, "Apps"), Item(1, "Guide")}));
  RunPosted();
  ASSERT_EQ(expand_callbacks_.size(), 1u);
  expand_callbacks_[0](nullptr);
  recorder_->actions.clear();
  w.confirm_button->SetClickParam(Variant("from close"));
  w.like_button->SetClickParam(Variant("from like"));

  struct Case {
    QWidget* target;
    int action;
    const char* param;  // nullptr: no parameter
  };
  const Case cases[] = {
      {w.guide_cell, c::kActionBenefitArea, "1"},
      {w.ai_cell, c::kActionBenefitArea, "4"},
      {w.apps_cell, c::kActionBenefitArea, "2"},
      {w.carbon_entry, c::kActionCarbonClick, nullptr},
      {w.confirm_button, c::kActionClosePage, "\"from close\""},
      {w.like_button, c::kActionThumbsUp, "\"from like\""},
      {w.dislike_button, c::kActionThumbsDown, nullptr},
      {w.upgrade_button, c::kActionJumpPayPage, nullptr},
  };
  for (const Case& k : cases) {
    recorder_->actions.clear();
    // The cursor is where the press is, so the page's own filter sees it too.
    QCursor::setPos(k.target->mapToGlobal(k.target->rect().center()));
    ClickAt(k.target);
    std::vector<int> want;
    if (k.target != w.confirm_button) want.push_back(c::kActionStopCountDown);
    want.push_back(k.action);
    ASSERT_EQ(recorder_->Ids(), want) << k.target->metaObject()->className();
    const auto& sent = recorder_->actions.back();
    EXPECT_EQ(sent.has_param, k.param != nullptr);
    if (k.param) EXPECT_EQ(sent.param.ToString(), k.param);
  }
  // The cell's icon and labels do not swallow its click.
  recorder_->actions.clear();
  ClickAt(w.ai_cell->title_label());
  EXPECT_EQ(recorder_->Ids().back(), c::kActionBenefitArea);
}

TEST_F(ConclusionViewBehaviour, PressesStopTheCountdownExceptOnTheCloseButton) {
  BuildOverRecorder();
  const View::Widgets& w = W();
  auto presses = [&] {
    int n = 0;
    for (int id : recorder_->Ids()) n += id == c::kActionStopCountDown;
    return n;
  };
  const QPoint on_confirm = w.confirm_button->mapToGlobal(w.confirm_button->rect().center());
  QCursor::setPos(on_confirm);
  QTest::mousePress(w.confirm_button, Qt::LeftButton);
  QTest::mouseRelease(w.confirm_button, Qt::LeftButton);
  NativeMouseDownEvent::Send(qApp, on_confirm);
  EXPECT_EQ(presses(), 0);

  const QPoint on_title = w.title->mapToGlobal(QPoint(2, 2));
  QCursor::setPos(on_title);
  QTest::mousePress(w.title, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
  EXPECT_EQ(presses(), 1);  // once per press, however many widgets it passes
  QTest::mouseRelease(w.title, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
  QTest::mousePress(w.title, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
  EXPECT_EQ(presses(), 2);
  NativeMouseDownEvent::Send(qApp, on_title);
  EXPECT_EQ(presses(), 3);
  EXPECT_EQ(rec_.CountLog("[After meeting] click inside of Conclusionview."), 3);

  // Outside the page, or while the page is hidden, nothing stops.
  QCursor::setPos(w.frame->mapToGlobal(QPoint(-20, -20)));
  NativeMouseDownEvent::Send(qApp, QCursor::pos());
  QCursor::setPos(on_title);
  host_->hide();
  NativeMouseDownEvent::Send(qApp, on_title);
  EXPECT_EQ(presses(), 3);
}

TEST_F(ConclusionViewBehaviour, OneExpandAnimationAtATimeAndTheFadesGoAfterTheFirst) {
  BuildOverRecorder();
  const View::Widgets& w = W();
  SetList(List({Item(4, "AI", "Keep it")}));
  EXPECT_TRUE(expand_requests_.empty());  // deferred to the loop
  RunPosted();
  ASSERT_EQ(expand_requests_.size(), 1u);
  const int first_height = expand_requests_[0].first;
  EXPECT_EQ(first_height, w.frame->sizeHint().height());

  // A second list while the first change runs: the frame is fitted again, no second request.
  SetList(List({Item(4, "AI", "Keep it"), Item(2, "Apps", "Sidebar"), Item(1, "Guide")}));
  RunPosted();
  EXPECT_EQ(expand_requests_.size(), 1u);
  EXPECT_EQ(w.frame->minimumHeight(), w.frame->sizeHint().height());
  EXPECT_EQ(w.frame->minimumHeight(), first_height + 2 * 53);
  EXPECT_NE(view_->app_panel_fade(), nullptr);

  expand_callbacks_[0](nullptr);
  EXPECT_EQ(view_->app_panel_fade(), nullptr);
  SetList(List({Item(4, "AI", "Keep it")}));
  RunPosted();
  ASSERT_EQ(expand_requests_.size(), 2u);
  EXPECT_EQ(expand_requests_[1].first, first_height);
  expand_callbacks_[1](nullptr);  // later changes only resize
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(w.app_panel->graphicsEffect(), nullptr);
  EXPECT_FALSE(view_->expand_animating());
}

TEST_F(ConclusionViewBehaviour, SidebarsComeForwardAtOnceAndGoAwayDeferred) {
  auto* runtime = framework::module::GetModuleService()->GetModuleRuntime(kModuleName);
  const char* uris[] = {"velmo://page/sidebar/outside_multi_tab_container_window",
                        "velmo://page/sidebar/independent_container_window",
                        "velmo://page/sidebar/independent_container_window_for_idea"};
  ControllerManager::Instance()->Register<SidebarController<1>>(runtime, uris[0]);
  ControllerManager::Instance()->Register<SidebarController<2>>(runtime, uris[1]);
  ControllerManager::Instance()->Register<SidebarController<3>>(runtime, uris[2]);
  SidebarCalls().clear();
  BuildOverRecorder();
  recorder_->SetPropValue(c::kPropThirdAppShow, Variant(true));
  EXPECT_EQ(SidebarCalls(),
            (std::vector<std::string>{"1:bringtotop", "2:bringtotopall", "3:bringtotop"}));
  recorder_->SetPropValue(c::kPropThirdAppShow, Variant(false));
  EXPECT_EQ(SidebarCalls().size(), 3u);
  RunPosted();
  EXPECT_EQ(SidebarCalls(),
            (std::vector<std::string>{"1:bringtotop", "2:bringtotopall", "3:bringtotop",
                                      "1:minimize", "2:minimizeall", "3:minimize"}));
  // Minimising still happens when the page closes before the loop comes round.
  SidebarCalls().clear();
  recorder_->SetPropValue(c::kPropThirdAppShow, Variant(false));
  DestroyView();
  RunPosted();
  EXPECT_EQ(SidebarCalls().size(), 3u);
  for (const char* uri : uris) ControllerManager::Instance()->IocUnregister(uri);
}

TEST_F(ConclusionViewBehaviour, RecordExtensionIsPlacedInItsContainerAndActivated) {
  std::shared_ptr<RecordStandInView> record;
  framework::extension::ExtensionRegistry::Instance().Register(
      {c::kRecordExtensionId, "",
       [&](void*, const Variant*) {
         record = std::make_shared<RecordStandInView>();
         return std::static_pointer_cast<AppBaseQTView>(record);
       },
       nullptr});
  BuildAndLoad();
  ASSERT_NE(record, nullptr);
  const View::Widgets& w = W();
  ASSERT_NE(record->frame(), nullptr);
  EXPECT_EQ(record->frame()->parentWidget(), w.record_container);
  EXPECT_EQ(record->frame()->geometry(), w.record_container->contentsRect());
  EXPECT_EQ(record->activations, 1);
  EXPECT_TRUE(rec_.HasLog("extension size:1"));
  EXPECT_TRUE(rec_.HasLog("[After meeting] - kAfterMeetingRecordExtension, visible :", true));

  // The extension says it is visible: the view model shows the container, the view logs it.
  framework::extension::ExtensionRegistry::Instance().SendItemUpdate(c::kRecordExtensionId,
                                                                     V(R"({"visible":true})"));
  EXPECT_EQ(rec_.CountLog("[After meeting] - kAfterMeetingRecordExtension, Update"), 1);
  EXPECT_TRUE(w.record_container->isVisible());
  EXPECT_TRUE(record->frame()->isVisible());
}

TEST_F(ConclusionViewBehaviour, ClosingWithDeferredWorkPendingTouchesNothing) {
  BuildOverRecorder();
  // A resize is posted, then the page goes before the loop runs it.
  SetList(List({Item(4, "AI")}));
  DestroyView();
  RunPosted();
  EXPECT_TRUE(expand_requests_.empty());

  // The container ends its animation after the page is gone.
  BuildOverRecorder();
  SetList(List({Item(4, "AI")}));
  RunPosted();
  ASSERT_EQ(expand_callbacks_.size(), 1u);
  UpdateSizeEndCallback late = expand_callbacks_[0];
  std::weak_ptr<View> weak = view_;
  DestroyView();
  EXPECT_TRUE(weak.expired());
  late(nullptr);
  EXPECT_TRUE(rec_.HasLog("[After meeting] ~AfterMeetingConclusionView"));

  // A page whose frame its parent deleted leaves the application's events alone.
  BuildOverRecorder();
  host_.reset();
  NativeMouseDownEvent::Send(qApp, QCursor::pos());
  view_->ShowSkeleton(true, true);
  EXPECT_TRUE(recorder_->actions.empty());
}

TEST_F(ConclusionViewBehaviour, ThemeSwitchRestylesThePage) {
  BuildOverRecorder();
  const View::Widgets& w = W();
  SetUi(V(UiJson(std::string(R"(")") + ui::kTitle + R"(":"Title")")));
  auto background = [&] { return w.frame->grab().toImage().pixelColor(w.frame->width() - 3, 3); };
  const QColor light = Token("vl_color_background_quinary");
  EXPECT_EQ(background(), light);
  ASSERT_TRUE(QssSetter::SetTheme("dark"));
  ASSERT_NE(Token("vl_color_background_quinary"), light);
  EXPECT_EQ(background(), Token("vl_color_background_quinary"));
  EXPECT_EQ(w.title->palette().color(QPalette::WindowText), Token("vl_color_text_primary"));
  EXPECT_TRUE(w.skeleton_row1->styleSheet().contains(SheetColor("vl_color_background_secondary")));
  EXPECT_FALSE(w.frame->styleSheet().contains("vl_color_"));
}

TEST_F(ConclusionViewBehaviour, ControlsAreNamedInTheLanguageAndReachableTopToBottom) {
  BuildOverRecorder();
  const View::Widgets& w = W();
  SetList(List(
      {Item(3, "How?", "",
            R"(,"AfterMeetingConclusionContentListFields_kStringItemFeedbackLikeTips":"Good",)"
            R"("AfterMeetingConclusionContentListFields_kStringItemFeedbackDislikeTips":"Bad")"),
       Item(4, "Assistant")}));
  EXPECT_EQ(w.frame->accessibleName(), "Meeting summary");
  EXPECT_EQ(w.like_button->accessibleName(), "Good");
  EXPECT_EQ(w.dislike_button->accessibleName(), "Bad");
  EXPECT_EQ(w.ai_cell->accessibleName(), "Assistant");
  EXPECT_EQ(w.ai_cell->accessibleDescription(), "Opens the AI assistant");
  EXPECT_EQ(w.confirm_button->accessibleDescription(), "Closes this window");
  EXPECT_EQ(w.record_container->accessibleName(), "Cloud recording of this meeting");
  for (QWidget* control :
       {static_cast<QWidget*>(w.carbon_entry), static_cast<QWidget*>(w.upgrade_button),
        static_cast<QWidget*>(w.like_button), static_cast<QWidget*>(w.dislike_button),
        static_cast<QWidget*>(w.ai_cell), static_cast<QWidget*>(w.apps_cell),
        static_cast<QWidget*>(w.guide_cell), static_cast<QWidget*>(w.confirm_button)}) {
    EXPECT_FALSE(control->accessibleDescription().isEmpty()) << control->metaObject()->className();
    EXPECT_TRUE(control->focusPolicy() & Qt::TabFocus) << control->metaObject()->className();
  }

  framework::LocalizedStrings::Instance().SetLanguage("de");
  EXPECT_EQ(w.confirm_button->accessibleDescription(), "Schließt dieses Fenster");
  EXPECT_EQ(w.frame->accessibleName(), "Besprechungszusammenfassung");
  framework::LocalizedStrings::Instance().SetLanguage("en");

  // Tab walks the controls as the page reads.
  std::vector<QWidget*> want = {w.carbon_entry, w.upgrade_button, w.like_button, w.dislike_button,
                                w.ai_cell,      w.apps_cell,      w.guide_cell,  w.confirm_button};
  std::vector<QWidget*> seen;
  QWidget* at = w.carbon_entry;
  for (int i = 0; i < 200 && seen.size() < want.size(); ++i, at = at->nextInFocusChain())
    if (std::find(want.begin(), want.end(), at) != want.end() &&
        std::find(seen.begin(), seen.end(), at) == seen.end())
      seen.push_back(at);
  EXPECT_EQ(seen, want);

  // Space on a focused row clicks it.
  recorder_->actions.clear();
  QTest::keyClick(w.ai_cell, Qt::Key_Space);
  EXPECT_EQ(recorder_->Ids(), std::vector<int>{c::kActionBenefitArea});
}

}  // namespace
}  // namespace after_meeting::test
