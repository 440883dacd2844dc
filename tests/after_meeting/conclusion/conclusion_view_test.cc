// The conclusion page's widget tree and how it renders the view model's page data.
#include <QFontMetrics>
#include <QParallelAnimationGroup>

#include "after_meeting/conclusion/after_meeting_light_effect_widget.h"
#include "platform/testing/manual_animation_driver.h"
#include "tests/after_meeting/conclusion/conclusion_view_fixture.h"

namespace after_meeting::test {
namespace {

namespace ui = c::ui_data;
using ConclusionView = ConclusionViewTest;

TEST_F(ConclusionView, FreshPageIsTheSkeletonWithBothBarsShimmering) {
  testing_support::ManualAnimationDriver driver;
  BuildOverRecorder();
  const View::Widgets& w = W();
  QWidget* frame = view_->CreateFrame(host_.get());
  EXPECT_EQ(frame, w.frame);  // built once
  EXPECT_EQ(frame->parentWidget(), host_.get());

  std::vector<QString> names;
  for (QWidget* x :
       std::vector<QWidget*>{w.frame, w.content, w.top_info_panel, w.title_row, w.meeting_end_row,
                             w.time_icon, w.member_row, w.member_icon, w.pay_block, w.pay_title,
                             w.pay_link, w.upgrade_button, w.record_container, w.app_panel,
                             w.feedback_row, w.feedback_icon, w.confirm_button, w.ai_cell})
    names.push_back(x->objectName());
  EXPECT_EQ(names, (std::vector<QString>{
                       "conclusion_widget", "meeting_conclusion_content", "top_info_panel",
                       "meeting_conclusion_top", "meeting_end_info", "meeting_time_icon",
                       "meeting_member_info", "meeting_member_icon", "meeting_restart_widget",
                       "meeting_restart_title", "pay_content", "upgrade_btn",
                       "cloud_record_container", "app_info_panel", "feedback_widget",
                       "feedback_icon", "conform_button", "cell_widget"}));
  EXPECT_FALSE(w.time_icon->pixmap()->isNull());

  // Loading: both bars, nothing else of the page but the title row and the close button.
  EXPECT_TRUE(w.skeleton->isVisible());
  EXPECT_TRUE(w.skeleton_row2->isVisible());
  EXPECT_FALSE(w.light1->pixmap().isNull());
  for (QWidget* hidden : {static_cast<QWidget*>(w.info_block), static_cast<QWidget*>(w.pay_block),
                          w.record_container, static_cast<QWidget*>(w.app_panel)})
    EXPECT_FALSE(hidden->isVisible());
  EXPECT_TRUE(w.confirm_button->isVisible());
  ASSERT_EQ(w.app_panel->graphicsEffect(), view_->app_panel_fade());
  ASSERT_EQ(w.record_container->graphicsEffect(), view_->record_fade());
  EXPECT_EQ(view_->app_panel_fade()->opacity() + view_->record_fade()->opacity(), 0.0);

  // The shimmer sweeps from -300 to 300 in a second, over and over.
  ASSERT_EQ(view_->skeleton_animation()->state(), QAbstractAnimation::Running);
  driver.Step(250);
  const int x = w.light1->pos().x();
  EXPECT_NEAR(x, -150, 12);  // a quarter of the way, give or take a frame
  EXPECT_EQ(w.light2->pos().x(), x);
  driver.Step(1000);
  EXPECT_NEAR(w.light1->pos().x(), x, 1);  // one full sweep later: back at the same place

  view_->ShowSkeleton(true, false);
  EXPECT_FALSE(w.skeleton_row2->isVisible());
  view_->ShowSkeleton(true, true);
  EXPECT_TRUE(w.skeleton_row2->isVisible());
  view_->ShowSkeleton(false, true);
  EXPECT_FALSE(w.skeleton->isVisible());
  EXPECT_EQ(view_->skeleton_animation()->state(), QAbstractAnimation::Stopped);
}

TEST_F(ConclusionView, LoadedThroughTheModelShowsTheMeetingAndAsksToGrow) {
  SetFeedback(R"({"feedback":{"EvaluateState":{"title":"How was it?","desc":"Thanks",)"
              R"("left":{"text":"Good"},"right":{"text":"Not good"}}}})");
  BuildAndLoad();
  const View::Widgets& w = W();
  EXPECT_EQ(w.title->text(), "Your meeting has ended");
  EXPECT_EQ(w.start_time->text(), "09:00-09:45");
  EXPECT_EQ(w.duration->text(), "Duration 45:00");
  EXPECT_EQ(w.participant->text(), "5 participants");
  EXPECT_TRUE(w.member_row->isVisible());
  EXPECT_TRUE(w.info_block->isVisible());
  EXPECT_FALSE(w.skeleton->isVisible());
  EXPECT_EQ(view_->skeleton_animation()->state(), QAbstractAnimation::Stopped);
  EXPECT_FALSE(w.pay_block->isVisible());
  EXPECT_EQ(w.confirm_button->text(), "Close");

  EXPECT_TRUE(w.feedback_row->isVisible());
  EXPECT_EQ(w.feedback_title->text(), "How was it?");
  EXPECT_EQ(w.like_text->text(), "Good");
  EXPECT_EQ(w.dislike_text->text(), "Not good");
  EXPECT_EQ(view_->like_tips(), "Good");
  EXPECT_TRUE(w.like_row->isVisible());
  EXPECT_FALSE(w.feedback_desc->isVisible());

  // One animated height change to the fitted page; its end reveals the panel for good.
  ASSERT_EQ(expand_requests_.size(), 1u);
  EXPECT_EQ(expand_requests_[0].first, w.frame->sizeHint().height());
  EXPECT_EQ(expand_requests_[0].second, 200);
  EXPECT_EQ(w.frame->minimumHeight(), w.frame->sizeHint().height());
  EXPECT_TRUE(view_->expand_animating());
  EXPECT_EQ(view_->app_panel_fade()->opacity(), 0.0);
  QPointer<QGraphicsOpacityEffect> fade = view_->app_panel_fade();
  expand_callbacks_[0](nullptr);
  EXPECT_FALSE(view_->expand_animating());
  EXPECT_EQ(fade->opacity(), 1.0);
  EXPECT_EQ(view_->app_panel_fade(), nullptr);
  EXPECT_EQ(view_->record_fade(), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(fade.isNull());
  EXPECT_EQ(w.app_panel->graphicsEffect(), nullptr);
  EXPECT_EQ(w.record_container->graphicsEffect(), nullptr);

  // A countdown reaches the close button's text.
  view_->view_model()->SetPropValue(
      c::kPropConfirmButtonText, V(R"j({"text":"Close (9s)","seconds":9,"is_count_down":true})j"));
  EXPECT_EQ(w.confirm_button->text(), "Close (9s)");
  view_->view_model()->SetPropValue(c::kPropConfirmButtonText, V(R"({"seconds":3})"));
  EXPECT_EQ(w.confirm_button->text(), "Close (9s)");
}

TEST_F(ConclusionView, DefaultDataKeepsTheSkeletonButSetsTheTitle) {
  BuildOverRecorder();
  const View::Widgets& w = W();
  const std::string participant = R"({")" + std::string(ui::kShowDefaultUi) + R"(":true,")" +
                                  ui::kTitle + R"(":"You have left the meeting",")" +
                                  ui::kIsParticipant + R"(":true})";
  SetUi(V(participant));
  EXPECT_EQ(w.title->text(), "You have left the meeting");
  EXPECT_TRUE(w.skeleton->isVisible());
  EXPECT_FALSE(w.skeleton_row2->isVisible());  // a participant has one row of facts
  EXPECT_FALSE(w.info_block->isVisible());
  EXPECT_EQ(need_update_size_, 1);
  EXPECT_TRUE(expand_requests_.empty());

  // Not a map: ignored as a whole.
  SetUi(Variant("title"));
  EXPECT_EQ(w.title->text(), "You have left the meeting");
  EXPECT_EQ(need_update_size_, 1);

  // Full data with an empty duration: the duration and its separator go, the start time stays.
  SetUi(V(UiJson(std::string(R"(")") + ui::kTitle + R"(":"Left",")" + ui::kStartTime +
                 R"(":"You attended 44:00",")" + ui::kMeetingDuration + R"(":"")")));
  EXPECT_FALSE(w.skeleton->isVisible());
  EXPECT_EQ(view_->skeleton_animation()->state(), QAbstractAnimation::Stopped);
  EXPECT_EQ(w.start_time->text(), "You attended 44:00");
  EXPECT_TRUE(w.start_time->isVisible());
  EXPECT_FALSE(w.duration->isVisible());
  EXPECT_FALSE(w.duration_separator->isVisible());
  EXPECT_FALSE(w.member_row->isVisible());
  EXPECT_FALSE(w.record_container->isVisible());

  // A record that became visible shows its container.
  SetUi(V(UiJson(std::string(R"(")") + ui::kCouldRecordVisible + R"(":true)")));
  EXPECT_TRUE(w.record_container->isVisible());
}

TEST_F(ConclusionView, PayBlockFollowsContentAndSwitch) {
  BuildOverRecorder();
  const View::Widgets& w = W();
  struct Case {
    const char* content;
    bool pay;
    bool title_shown, link_shown;
    const char* link_token;
  };
  const Case cases[] = {
      {"Longer meetings", false, true, false, "vl_color_text_tertiary"},
      {"", true, false, true, "vl_color_text_primary"},
      {"Longer meetings", true, true, true, "vl_color_text_tertiary"},
      {"", false, false, false, "vl_color_text_tertiary"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.content) + (k.pay ? " +pay" : ""));
    std::string fields = std::string(R"(")") + ui::kPayContentText + R"(":")" + k.content + "\"";
    if (k.pay)
      fields += std::string(R"(,")") + ui::kPayInfoVisible + R"(":true,")" + ui::kPayLinkText +
                R"(":"See plans",")" + ui::kPayButtonTitle + R"(":"Upgrade")";
    SetUi(V(UiJson(fields)));
    EXPECT_EQ(w.pay_block->isVisible(), k.title_shown || k.link_shown);
    EXPECT_EQ(w.pay_title->isVisible(), k.title_shown);
    EXPECT_EQ(w.pay_link->isVisible(), k.link_shown);
    EXPECT_EQ(w.upgrade_button->isVisible(), k.pay);
    EXPECT_EQ(w.pay_link->palette().color(QPalette::WindowText), Token(k.link_token));
    if (k.pay) {
      EXPECT_EQ(w.upgrade_button->text(), "Upgrade");
      EXPECT_EQ(w.pay_link->text(), "See plans");
    }
    // The texts give the button its room.
    EXPECT_EQ(w.pay_title->width(), k.pay ? 346 - w.upgrade_button->width() : 360);
    if (k.title_shown) EXPECT_EQ(w.pay_title->text(), "Longer meetings");
  }
  // Without content the title keeps its earlier text (hidden).
  EXPECT_EQ(w.pay_title->text(), "Longer meetings");
}

TEST_F(ConclusionView, CarbonTextIsElidedToTheRowsFreeSpace) {
  BuildOverRecorder();
  const View::Widgets& w = W();
  const std::string base = std::string(R"(")") + ui::kStartTime + R"(":"09:00-09:45",")" +
                           ui::kMeetingDuration + R"(":"Duration 45:00",")" + ui::kCarbonVisible +
                           R"(":true,")" + ui::kCarbonPath + R"(":")" + VELMO_OUTPUT_DIR +
                           R"(/res/raw/after_meeting/carbon_icon.svg",")" + ui::kCarbonTitle +
                           R"(":")";
  SetUi(V(UiJson(base + R"(12 g CO2 saved")")));
  EXPECT_TRUE(w.carbon_entry->isVisible());
  EXPECT_EQ(w.carbon_text->text(), "12 g CO2 saved");
  EXPECT_TRUE(w.carbon_text->toolTip().isEmpty());
  EXPECT_TRUE(view_->carbon_image()->HasImage());
  ASSERT_EQ(rec_.LogTexts(6).empty(), false);

  const QString long_text =
      "You saved 12 g of CO2 by meeting online today instead of travelling to one place";
  SetUi(V(UiJson(base + long_text.toStdString() + R"(")")));
  const QFontMetrics metrics(w.carbon_text->font());
  const int free_space = 420 - 32 -
                         (16 + metrics.horizontalAdvance("09:00-09:45") + 16 + 1 +
                          metrics.horizontalAdvance("Duration 45:00") + 8) -
                         43;
  EXPECT_EQ(w.carbon_text->text(), metrics.elidedText(long_text, Qt::ElideRight, free_space));
  EXPECT_TRUE(w.carbon_text->text().endsWith(QChar(0x2026)));
  EXPECT_EQ(w.carbon_text->toolTip(), long_text);
  EXPECT_TRUE(rec_.HasLog("conclusion_width:420 meeting_end_width:", true));

  SetUi(V(UiJson(std::string(R"(")") + ui::kCarbonVisible + R"(":false)")));
  EXPECT_FALSE(w.carbon_entry->isVisible());
}

TEST_F(ConclusionView, ContentListPlacesCellsInFixedOrderWithSeparatorsByListOrder) {
  BuildOverRecorder();
  const View::Widgets& w = W();
  const std::string icon =
      std::string(R"(,"AfterMeetingConclusionContentListFields_kStringItemIconPath":")") +
      VELMO_OUTPUT_DIR + R"(/res/raw/after_meeting/guide_icon.png")";
  SetList(List({Item(1, "Summaries", "", icon), Item(4, "Assistant", "Keep using it", icon)}));
  EXPECT_TRUE(w.app_panel->isVisible());
  EXPECT_TRUE(w.guide_cell->isVisible());
  EXPECT_TRUE(w.ai_cell->isVisible());
  EXPECT_FALSE(w.apps_cell->isVisible());
  EXPECT_FALSE(w.feedback_row->isVisible());
  EXPECT_LT(w.ai_cell->y(), w.guide_cell->y());  // fixed widget order, not list order
  EXPECT_FALSE(w.guide_cell->separator()->isVisible());
  EXPECT_TRUE(w.ai_cell->separator()->isVisible());
  EXPECT_EQ(w.ai_cell->title_label()->text(), "Assistant");
  EXPECT_EQ(w.ai_cell->desc_label()->text(), "Keep using it");
  EXPECT_FALSE(w.guide_cell->desc_label()->isVisible());
  EXPECT_TRUE(w.guide_cell->icon()->HasImage());
  EXPECT_EQ(w.app_panel->minimumHeight(), w.app_panel->sizeHint().height());

  // The feedback row, not yet rated, then rated; a later item of a type wins; unknown types
  // are skipped.
  const std::string tips =
      R"(,"AfterMeetingConclusionContentListFields_kStringItemFeedbackLikeTips":"Good",)"
      R"("AfterMeetingConclusionContentListFields_kStringItemFeedbackDislikeTips":"Could be better")";
  SetList(List({Item(9, "?"), Item(3, "How was it?", "Thanks", tips), Item(2, "Notes"),
                Item(2, "Board and 2 apps in all", "In the sidebar")}));
  EXPECT_TRUE(w.feedback_row->isVisible());
  EXPECT_FALSE(w.ai_cell->isVisible());
  EXPECT_FALSE(w.guide_cell->isVisible());
  EXPECT_TRUE(w.apps_cell->isVisible());
  EXPECT_TRUE(w.apps_cell->separator()->isVisible());
  EXPECT_EQ(w.apps_cell->title_label()->text(), "Board and 2 apps in all");
  EXPECT_TRUE(w.like_row->isVisible());
  EXPECT_FALSE(w.feedback_desc->isVisible());
  EXPECT_FALSE(w.feedback_icon->pixmap()->isNull());
  const QFontMetrics metrics(w.like_text->font());
  const int width =
      std::max(metrics.horizontalAdvance("Good"), metrics.horizontalAdvance("Could be better")) +
      32;
  EXPECT_EQ(w.like_button->width(), width);
  EXPECT_EQ(w.dislike_button->width(), width);
  EXPECT_EQ(w.dislike_text->text(), "Could be better");

  SetList(List({Item(
      3, "Thank you", "Sent",
      tips + R"(,"AfterMeetingConclusionContentListFields_kBooleanItemIsFeedbackDone":true)")}));
  EXPECT_TRUE(w.feedback_desc->isVisible());
  EXPECT_EQ(w.feedback_desc->text(), "Sent");
  EXPECT_FALSE(w.like_row->isVisible());
  EXPECT_FALSE(w.apps_cell->isVisible());

  // Not an array: as empty, and the skeleton goes too.
  view_->ShowSkeleton(true, true);
  SetList(Variant("rows"));
  EXPECT_FALSE(w.skeleton->isVisible());
  EXPECT_FALSE(w.app_panel->isVisible());
  EXPECT_FALSE(w.feedback_row->isVisible());
}

TEST_F(ConclusionView, DataPublishedBeforeTheFrameIsShownOnceItIsBuilt) {
  recorder_ = std::make_shared<ActionRecordingViewModel>();
  recorder_->SetPropValue(c::kPropConclusionUiData,
                          V(UiJson(std::string(R"(")") + ui::kTitle + R"(":"Early")")));
  recorder_->SetPropValue(c::kPropConfirmButtonText, V(R"({"text":"Close"})"));
  view_ = std::make_shared<View>();
  view_->SetViewModel(recorder_);  // delivered at binding, before there is a page
  EXPECT_EQ(view_->widgets().title, nullptr);
  host_ = std::make_unique<QWidget>();
  view_->CreateFrame(host_.get());  // a parent without a layout: the frame stays unplaced
  EXPECT_EQ(view_->widgets().frame->parentWidget(), nullptr);
  EXPECT_EQ(W().title->text(), "Early");
  EXPECT_TRUE(W().skeleton->isHidden());
  EXPECT_EQ(W().confirm_button->text(), "Close");
  delete view_->widgets().frame;
  EXPECT_EQ(view_->widgets().frame, nullptr);
  SetUi(V(UiJson(std::string(R"(")") + ui::kTitle + R"(":"Late")")));  // no page: ignored
}

}  // namespace
}  // namespace after_meeting::test
