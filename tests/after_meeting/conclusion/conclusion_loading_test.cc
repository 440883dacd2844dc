#include <QFile>

#include "platform/framework/authorize.h"
#include "tests/after_meeting/conclusion/conclusion_fixture.h"

namespace after_meeting::test {
namespace {

namespace ui = c::ui_data;
namespace item = c::content_item;
using ConclusionLoading = ConclusionTest;

TEST_F(ConclusionLoading, DefaultShapeBeforeTheResultWithOneExposure) {
  Leave();
  Attach();
  EXPECT_EQ(Last(c::kPropConclusionUiData),
            V(std::string(R"({")") + ui::kShowDefaultUi + R"(":true,")" + ui::kTitle +
              R"(":"Your meeting has ended",")" + ui::kCouldRecordVisible + R"(":false,")" +
              ui::kIsParticipant + R"(":false})"));
  EXPECT_TRUE(props_[c::kPropConclusionContentList].empty());
  EXPECT_EQ(Last(c::kPropConfirmButtonText),
            V(R"({"text":"Close","seconds":-1,"is_count_down":false})"));
  EXPECT_EQ(Last(c::kPropThirdAppShow), Variant(false));
  EXPECT_EQ(rec_.Of("platform").size(), 1u);  // asked to leave immersive mode
  EXPECT_EQ(Calls(h::banner::kModel, h::banner::kCallQueryBanner).at(0),
            V(R"({"template_key":"meeting_summary_guide","meeting_id":"8812345678"})"));

  // A second conclusion event rebuilds the record, but reports and activates only once.
  FireModel(kEventConclusionInfo, Fired(kEventConclusionInfo).at(0));
  EXPECT_EQ(Reports(c::report::kAllExposure),
            std::vector<Variant>{V(R"({"end_type":"initiative_end","meeting_trial_type":"pro",)"
                                   R"("is_creator":"1","user_role":"1","pre_meeting_id":)"
                                   R"("8812345678","pre_meeting_code":"881234567",)"
                                   R"("end_time_stamp":"0"})")});
  int activations = 0;
  for (const Variant& op : rec_.Of("extension")) activations += op.GetString("op") == "activate";
  EXPECT_EQ(activations, 1);
}

TEST_F(ConclusionLoading, FullShapeAndClockTexts) {
  struct Case {
    int role;
    const char* zone;
    const char* info;
    const char* title;
    const char* start_time;
    const char* duration;
    const char* participant;  // nullptr: the key is absent
  };
  const Case cases[] = {
      {1, "UTC", kDefaultInfo, "Your meeting has ended", "09:00-09:45", "Duration 45:00",
       "5 participants"},
      {0, "UTC", kDefaultInfo, "You have left the meeting", "You attended 44:00", "", nullptr},
      {1, "UTC", R"({"begin_time":"1767261570000","duration_time":"90000"})",
       "Your meeting has ended", "09:59-10:01", "Duration 01:30", "0 participants"},
      {1, "Europe/Berlin", R"({"begin_time":"1767308340000","duration_time":"3660000"})",
       "Your meeting has ended", "23:59-01:00", "Duration 1:01:00", "0 participants"},
  };
  for (const Case& k : cases) {
    Restart();
    SetRole(k.role);
    util::time::SetTimeZone(k.zone);
    SetBackendInfo(k.info);
    Load();
    const Variant data = Last(c::kPropConclusionUiData);
    EXPECT_EQ(data.Size(), k.participant ? 13u : 12u);
    EXPECT_EQ(data.GetString(ui::kTitle), k.title);
    EXPECT_EQ(data.GetString(ui::kStartTime), k.start_time);
    EXPECT_EQ(data.GetString(ui::kMeetingDuration), k.duration);
    EXPECT_EQ(data.Has(ui::kParticipant), k.participant != nullptr);
    if (k.participant) EXPECT_EQ(data.GetString(ui::kParticipant), k.participant);
    EXPECT_EQ(data.GetBool(ui::kParticipantVisible), k.participant != nullptr);
    EXPECT_FALSE(data.GetBool(ui::kShowDefaultUi, true) || data.Has(ui::kIsParticipant) ||
                 data.Has(ui::kPayLinkText));
    EXPECT_EQ(Reports(c::report::kMeetingInfoExposure).at(0).GetString("user_role"),
              k.role == 1 ? "1" : "3");
  }
}

TEST_F(ConclusionLoading, KickOutReplacesTitleAndOffersPay) {
  struct Case {
    int creator_account_type;
    const char* button_context;  // nullptr: the button has none
    const char* want_button;
  };
  const Case cases[] = {
      {0, nullptr, "Try it free"}, {5, nullptr, "Upgrade now"}, {5, "Go pro", "Go pro"}};
  for (const Case& k : cases) {
    Restart();
    SetMeetingItem(R"({"creator_account_type":)" + std::to_string(k.creator_account_type) + "}");
    std::string button = R"({"visible":true,"action_type":1,"title":"See plans","url":"u")";
    if (k.button_context) button += std::string(R"(,"button_context":")") + k.button_context + "\"";
    const std::string custom = R"({"sub_reason_code":1,"title":"Time is up",)"
                               R"("content":"Longer meetings","buttons":[)" +
                               button + "}]}";
    FireHost(app::kModel, app::kEventNotifyKickOut,
             V(R"({"reason":2,"custom_data":")" + util::crypto::Encode64(custom) + R"("})"));
    Load();
    const Variant data = Last(c::kPropConclusionUiData);
    EXPECT_EQ(data.GetString(ui::kTitle), "Time is up");
    EXPECT_EQ(data.GetString(ui::kPayContentText), "Longer meetings");
    EXPECT_TRUE(data.GetBool(ui::kPayInfoVisible));
    EXPECT_EQ(data.GetString(ui::kPayLinkText), "See plans");
    EXPECT_EQ(data.GetString(ui::kPayButtonTitle), k.want_button);
    EXPECT_EQ(Reports(c::report::kLimitEndIntroExposure).size(), 1u);
    EXPECT_EQ(Reports(c::report::kMeetingInfoExposure).at(0).GetString("end_type"), "auto_end");
  }
}

TEST_F(ConclusionLoading, ContentListInEveryCombination) {
  const char* one = R"([{"name":"Notes"}])";
  const char* three = R"([{"name":"Notes"},{"name":"Board"},{"name":"Poll"}])";
  const char* native = R"([{"name":"Assistant","open_app_id":"native-457520021246070445",)"
                       R"("extension_id":"extension:appbox.meeting_assistant_content"}])";
  struct Case {
    bool feedback, ai;
    const char* apps;
    bool banner;
    std::vector<int> types;
    const char* retain_apps;  // of the apps exposure; nullptr when none is sent
    const char* apps_count;
    const char* last_icon;
  };
  const Case cases[] = {
      {false, false, nullptr, false, {}, nullptr, nullptr, nullptr},
      {true, false, nullptr, false, {3}, nullptr, nullptr, "feedback_icon.png"},
      {false, true, nullptr, false, {4}, "Assistant", "1", "ai_icon.png"},
      {false, false, one, false, {2}, "Notes", "1", "app_icon.png"},
      {false, false, three, false, {2}, "Notes and 3 apps in all", "3", "app_icon.png"},
      {false, false, native, false, {2}, "Assistant", "1", "ai_icon.png"},
      {true, true, three, true, {3, 4, 2, 1}, "Notes and 3 apps in all", "4", "guide_icon.png"},
  };
  for (const Case& k : cases) {
    Restart();
    if (k.feedback)
      SetFeedback(R"({"feedback":{"EvaluateState":{"title":"How was it?","desc":"Rate it",)"
                  R"("left":{"text":"Good"},"right":{"text":"Bad"}}}})");
    if (k.ai)
      FireHost(app::kModel, app::kEventSetAiAssistantInfo,
               V(R"({"enable":true,"assistant_name":"Assistant"})"));
    if (k.apps) Host(h::apps::kModel)->SetAnswer(h::apps::kCallGetOpenedApps, true, V(k.apps));
    Load();
    if (k.banner)
      FireHost(h::banner::kModel, h::banner::kEventQueryBannerComplete,
               V(R"({"template_key":"meeting_summary_guide","show_banner":true,)"
                 R"("summary_text":"Summaries","summary_icon":"https://i/g.png"})"));
    const Variant list = Last(c::kPropConclusionContentList);
    std::vector<int> types;
    for (const Variant& row : list.AsArray()) {
      const int type = row.GetInt32(item::kItemType);
      types.push_back(type);
      EXPECT_TRUE(QFile::exists(QString::fromStdString(row.GetString(item::kIconPath))));
      EXPECT_EQ(row.Has(item::kFeedbackLikeTips), type == 3);
      EXPECT_EQ(row.Has(item::kDesc), type != 1);
    }
    EXPECT_EQ(types, k.types);
    if (k.last_icon)
      EXPECT_EQ(list.At(list.Size() - 1).GetString(item::kIconPath),
                std::string(VELMO_OUTPUT_DIR) + "/res/raw/after_meeting/" + k.last_icon);
    const auto apps = Reports(c::report::kRetainAppsExposure);
    ASSERT_EQ(apps.empty(), k.retain_apps == nullptr);
    if (k.retain_apps) {
      EXPECT_EQ(apps.back().GetString("retain_apps"), k.retain_apps);
      EXPECT_EQ(apps.back().GetString("apps_count"), k.apps_count);
    }
    EXPECT_EQ(Reports(c::report::kFeedbackExposure).empty(), !k.feedback);
    EXPECT_EQ(Reports(c::report::kIntroductionExposure).size(), k.banner ? 1u : 0u);
  }
  const Variant list = Last(c::kPropConclusionContentList);
  EXPECT_EQ(list.At(0).GetString(item::kFeedbackDislikeTips), "Bad");
  EXPECT_EQ(list.At(3).GetString(item::kIconUrl), "https://i/g.png");
}

TEST_F(ConclusionLoading, FailedResultsToastOrClose) {
  struct Case {
    const char* result;  // nullptr: a null payload
    const char* toast;   // nullptr: none
    int closes;
  };
  const Case cases[] = {
      {R"({"biz_code":0,"msg":"no figures"})", "no figures", 0},
      {R"({"biz_code":-101,"msg":"gone","basic_info":{}})", nullptr, 1},
      {R"({"biz_code":-101,"msg":"gone"})", "gone", 0},
      {R"({"biz_code":5,"msg":"busy","basic_info":{}})", "busy", 0},
      {nullptr, "", 0},
      {R"({"biz_code":0,"basic_info":[1]})", nullptr, 0},
  };
  for (const Case& k : cases) {
    Restart();
    Leave();
    Attach();
    FireModel(kEventConclusionInfoComplete, k.result ? V(k.result) : Variant());
    const auto toasts = rec_.Of("toast");
    ASSERT_EQ(toasts.size(), k.toast ? 1u : 0u) << (k.result ? k.result : "null");
    if (k.toast)
      EXPECT_EQ(toasts[0],
                V(std::string(R"({"type":0,"duration_ms":2000,"text":")") + k.toast + R"("})"));
    EXPECT_EQ(Closes(), k.closes);
    EXPECT_TRUE(Last(c::kPropConclusionUiData).GetBool(ui::kShowDefaultUi));
  }
  EXPECT_TRUE(rec_.HasLog("basic_info should be a map!"));
}

TEST_F(ConclusionLoading, HostEventsCloseThePageOrAreRefusedWhileItShows) {
  Variant check = Variant::MakeMap();
  auto* priority = Host(h::priority_events::kModel);
  priority->FirePriority(h::priority_events::kEventPreLeaveImmersiveCheck, &check);
  Leave();
  Attach();
  EXPECT_TRUE(check.Empty());
  EXPECT_FALSE(priority->FirePriority(h::priority_events::kEventPreLeaveImmersiveCheck, &check));
  EXPECT_EQ(check, V(R"({"can_enter_immersive_mode":false,)"
                     R"("reason":"AfterMeetingConclusionViewShowing"})"));

  auto& auth = framework::AuthorizeStateHub::Instance();
  const std::function<void()> triggers[] = {
      [&] { Host(h::meeting::kModel)->Fire(h::meeting::kEventJoinComplete, nullptr); },
      [&] { Host(h::meeting::kModel)->Fire(h::meeting::kEventPreJoin, nullptr); },
      [&] { auth.Notify(3); }, [&] { auth.Notify(8); }, [&] { auth.Notify(1); }};
  const int closes[] = {1, 2, 2, 3, 4};
  for (size_t i = 0; i < 5; ++i) {
    triggers[i]();
    EXPECT_EQ(Closes(), closes[i]) << i;
  }
  EXPECT_EQ(rec_.Of("navigate").back().GetString("op"), "pop_other");
  vm_->OnViewDetached();
  triggers[0]();
  triggers[3]();
  EXPECT_EQ(Closes(), 4);
}

}  // namespace
}  // namespace after_meeting::test
