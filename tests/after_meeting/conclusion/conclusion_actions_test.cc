#include <QFile>

#include "tests/after_meeting/conclusion/conclusion_fixture.h"

namespace after_meeting::test {
namespace {

using ConclusionActions = ConclusionTest;

constexpr char kFeedback[] =
    R"({"feedback":{"EvaluateState":{"title":"How was it?","left":{"text":"Good","report":"r-up"},)"
    R"("right":{"text":"Bad","report":"r-down"}},"ResultState":{"title":"Thanks!"},)"
    R"("CloseState":{"report":"r-close"}}})";

TEST_F(ConclusionActions, PayPageByAccountTypeWithItsReport) {
  struct Case {
    int account_type;
    const char* url;
    const char* mid;  // nullptr: no page opens and nothing is reported
    bool client_window;
  };
  const Case cases[] = {{17, "https://pay.example/p?mid=42", "42", true},
                        {0, "https://pay.example/p?x=1", "", true},
                        {5, "https://pay.example/p?mid=42&next=a%26b#f", "42", false},
                        {5, "", nullptr, false}};
  for (const Case& k : cases) {
    Restart();
    SetFacts(k.account_type);
    const std::string custom = R"({"sub_reason_code":1,"title":"T","content":"C","buttons":[)"
                               R"({"visible":true,"action_type":1,"url":")" +
                               std::string(k.url) + R"("}]})";
    FireHost(app::kModel, app::kEventNotifyKickOut,
             V(R"({"reason":2,"custom_data":")" + util::crypto::Encode64(custom) + R"("})"));
    Load();
    Act(c::kActionJumpPayPage);
    const auto pages = rec_.Of("web");
    const auto reports = Reports(c::report::kLimitGoToUpgradeClick);
    ASSERT_EQ(pages.size(), k.mid ? 1u : 0u) << k.url;
    ASSERT_EQ(reports.size(), k.mid ? 1u : 0u);
    EXPECT_EQ(rec_.HasLog("[After meeting] - pay_url is empty!"), !k.mid);
    if (!k.mid) continue;
    EXPECT_EQ(reports[0].GetString("mid"), k.mid);
    EXPECT_EQ(rec_.HasLog("[After meeting] - mid is empty!"), std::string(k.mid).empty());
    // Other accounts go through the login page, whose target the URL tests check.
    EXPECT_EQ(pages[0].GetBool("flag"), k.client_window);
    if (!k.client_window) continue;
    EXPECT_EQ(pages[0].GetString("url"), k.url);
    EXPECT_FALSE(pages[0].Has("navigate_params"));  // the pay page, not a web page
  }
}

TEST_F(ConclusionActions, BenefitRowsOpenTheirTargetAndReport) {
  Host(app::kModel)
      ->SetAnswer(
          app::kCallGetAiAssistantPageInfo, true,
          V(R"({"url":"https://ai.example/p?lang=en&q=a%26mid%3D1","wnd_size_width":800})"));
  FireHost(app::kModel, app::kEventSetAiAssistantInfo,
           V(R"({"enable":true,"assistant_name":"Assistant"})"));
  Load();
  FireHost(h::banner::kModel, h::banner::kEventQueryBannerComplete,
           V(R"({"template_key":"meeting_summary_guide","show_banner":true,"summary_text":"S",)"
             R"("banner_id":"b7","redirect_type":1,)"
             R"("redirect_href":"https://guide.example/g?a=1&b=two words#part?c=3"})"));
  rec_.Clear();
  for (const Variant& param :
       {Variant(7), Variant("2"), Variant(uint64_t{4}), Variant(2), Variant(1)})
    Act(c::kActionBenefitArea, param);

  EXPECT_EQ(ReportIds(),
            (std::vector<std::string>{c::report::kRetainAppsClick, c::report::kRetainAppsClick,
                                      c::report::kIntroductionClick}));
  EXPECT_EQ(Reports(c::report::kRetainAppsClick)[0].GetString("retain_apps"), "Assistant");
  EXPECT_EQ(Reports(c::report::kIntroductionClick)[0].GetString("task_id"), "b7");
  EXPECT_EQ(Last(c::kPropThirdAppShow), Variant(true));
  const auto pages = rec_.Of("web");
  ASSERT_EQ(pages.size(), 2u);
  // The two parameters go after the host's own, which keep their encoding.
  EXPECT_EQ(pages[0].GetString("url"),
            "https://ai.example/p?lang=en&q=a%26mid%3D1&mid=8812345678&from=after_meeting");
  Variant want = V(R"({"meeting_id":"8812345678","web_page_scene_tag":"afterMeeting",)"
                   R"("show_max_btn":false,"show_min_btn":false,"fix_size":false,)"
                   R"("hide_toolbar":true,"top_most":false})");
  want["wnd_size_width"] = int64_t{800};
  want["wnd_size_height"] = int64_t{0};
  EXPECT_EQ(pages[0].Get("params"), want);
  EXPECT_EQ(pages[0].Get("navigate_params").GetString("from_scheme"), "velmo://page/ai_helper");
  EXPECT_EQ(pages[1].GetString("url"), "https://guide.example/g?a=1&b=two words#part?c=3");
  EXPECT_EQ(pages[1].Get("params"), V(R"({})"));
  EXPECT_EQ(pages[1].Get("navigate_params").GetString("from_scheme"),
            "historical_meetings_detail_view_banner");
}

TEST_F(ConclusionActions, ThumbsUpAndDownSendTheirPayloadsAndReports) {
  namespace r = c::report;
  struct Case {
    int action;
    const char* payload;  // to the feedback report model; nullptr: none configured, none sent
    std::vector<std::string> reports;
  };
  const Case cases[] = {
      {c::kActionThumbsUp,
       R"({"report":"r-up","data":{"thumbs_up":"1"}})",
       {r::kFeedbackExposure, r::kTagSelectionSubmitClick, r::kFeedbackThumbUpClick}},
      {c::kActionThumbsUp,
       nullptr,
       {r::kFeedbackExposure, r::kTagSelectionSubmitClick, r::kFeedbackThumbUpClick}},
      {c::kActionThumbsDown,
       R"({"report":"r-down","data":{"thumbs_down":"1"}})",
       {r::kFeedbackThumbDownClick, r::kTagSelectionExposure}},
      {c::kActionThumbsDown, nullptr, {r::kFeedbackThumbDownClick, r::kTagSelectionExposure}},
  };
  for (const Case& k : cases) {
    Restart();
    std::string feedback = kFeedback;
    if (!k.payload)
      for (std::string cut : {R"(,"report":"r-up")", R"(,"report":"r-down")"})
        feedback.erase(feedback.find(cut), cut.size());
    SetFeedback(feedback);
    Load();
    rec_.Clear();
    Act(k.action);
    const auto payloads = Calls(h::feedback_report::kModel, h::feedback_report::kCallReport);
    ASSERT_EQ(payloads.size(), k.payload ? 1u : 0u);
    if (k.payload) EXPECT_EQ(payloads[0], V(k.payload));
    EXPECT_EQ(ReportIds(), k.reports);
    const bool up = k.action == c::kActionThumbsUp;
    EXPECT_EQ(Fired(kEventSetCloseMeetingContainerPage).size(), up ? 0u : 1u);
    const Variant row = Last(c::kPropConclusionContentList).At(0);
    EXPECT_EQ(row.GetBool(c::content_item::kIsFeedbackDone), up);
    EXPECT_EQ(row.GetString(c::content_item::kContent), up ? "Thanks!" : "How was it?");
    clock_.Advance(200);
    EXPECT_EQ(rec_.Of("toast").size(), up ? 1u : 0u);
  }
  EXPECT_EQ(Fired(kEventSetCloseMeetingContainerPage).at(0), Variant(2));
}

TEST_F(ConclusionActions, CloseSendsTheCloseFeedbackOnlyBeforeFeedback) {
  for (bool rated : {false, true}) {
    Restart();
    SetFeedback(kFeedback);
    Load();
    if (rated) Act(c::kActionThumbsUp);
    Act(c::kActionClosePage, Variant("anything"));
    EXPECT_EQ(
        Calls(h::feedback_report::kModel, h::feedback_report::kCallReport).back(),
        rated ? V(R"({"report":"r-up","data":{"thumbs_up":"1"}})") : V(R"({"report":"r-close"})"));
    EXPECT_EQ(Reports(c::report::kCloseClick).at(0).GetString("end_type"), "initiative_end");
    EXPECT_EQ(Closes(), 1);
  }
}

TEST_F(ConclusionActions, OnlyTheLastOfTwoQuickFeedbackFinishesShowsItsToast) {
  SetFeedback(kFeedback);
  Load();
  const Variant finish = V(R"({"tags":"echo","count":2})");
  model_->Call(kCallSetFeedbackFinish, &finish, nullptr);
  clock_.Advance(150);
  model_->Call(kCallSetFeedbackFinish, &finish, nullptr);
  clock_.Advance(199);
  EXPECT_TRUE(rec_.Of("toast").empty());
  clock_.Advance(1000);
  EXPECT_EQ(rec_.Of("toast"),
            std::vector<Variant>{V(R"({"text":"Thanks!","type":0,"duration_ms":2000})")});
  const auto submits = Reports(c::report::kTagSelectionSubmitClick);
  ASSERT_EQ(submits.size(), 2u);
  EXPECT_EQ(submits[0].GetString("tags"), "echo");
  EXPECT_FALSE(submits[0].Has("count"));  // only string entries are reported
  EXPECT_TRUE(Last(c::kPropConclusionContentList).At(0).GetBool(c::content_item::kIsFeedbackDone));
}

TEST_F(ConclusionActions, BannersAcceptedRejectedRequeriedAndFollowed) {
  Load();
  auto banner = [&](const std::string& json) {
    FireHost(h::banner::kModel, h::banner::kEventQueryBannerComplete, V(json));
  };
  auto push_and_count_queries = [&](int type) {
    FireHost(h::push::kModel, h::push::kEventReceivePushNotifyMsg,
             V(R"({"notify_type":)" + std::to_string(type) + "}"));
    return Calls(h::banner::kModel, h::banner::kCallQueryBanner).size();
  };
  banner(R"({"template_key":"meeting_summary_guide","show_banner":false,"summary_text":"S"})");
  banner(R"({"template_key":"meeting_summary_guide","show_banner":true,"summary_text":""})");
  banner(R"({"template_key":"meeting_summary_credit","show_banner":true,"summary_jump_text":""})");
  EXPECT_EQ(rec_.CountLog("no need show_banner"), 3);
  const size_t queries = push_and_count_queries(3);
  EXPECT_EQ(push_and_count_queries(11), queries + 1);
  banner(R"({"template_key":"meeting_summary_credit","show_banner":true,"bm_id":4,)"
         R"("experiment_id":"e2","carbon_submit":12,"summary_jump_text":"12 kg saved",)"
         R"("redirect_type":2,"redirect_href":"velmo://page/carbon"})");
  EXPECT_EQ(push_and_count_queries(11), queries + 1);  // an accepted carbon banner ends them
  const Variant data = Last(c::kPropConclusionUiData);
  EXPECT_TRUE(data.GetBool(c::ui_data::kCarbonVisible));
  EXPECT_EQ(data.GetString(c::ui_data::kCarbonTitle), "12 kg saved");
  EXPECT_TRUE(QFile::exists(QString::fromStdString(data.GetString(c::ui_data::kCarbonPath))));
  EXPECT_EQ(Reports(c::report::kCarbonRecordExposure).at(0).GetString("carbon_submit"), "12");
  EXPECT_EQ(Calls(h::banner_shown::kModel, h::banner_shown::kCallBannerShown),
            std::vector<Variant>{V(R"({"id":0,"bm_id":4})")});

  // An operate answer overwrites the experiment that the carbon click reports.
  banner(R"({"template_key":"meeting_summary_guide","show_banner":true,"summary_text":"S",)"
         R"("experiment_id":"e3","redirect_type":2,"scheme":"velmo://page/guide",)"
         R"("selected_tab_id":3})");
  Act(c::kActionCarbonClick);
  Act(c::kActionBenefitArea, Variant(1));
  EXPECT_EQ(Reports(c::report::kCarbonRecordClick).at(0).GetString("experiment_id"), "e3");
  const auto pushes = rec_.Of("navigate");
  ASSERT_EQ(pushes.size(), 2u);
  EXPECT_EQ(pushes[0].GetString("uri"), "velmo://page/carbon");
  EXPECT_EQ(pushes[0].Get("params"), V(R"({"from":"operating_banner_router_flag"})"));
  EXPECT_EQ(pushes[1].GetString("uri"), "velmo://page/guide");
  EXPECT_EQ(pushes[1].Get("params"),
            V(R"({"from":"operating_banner_router_flag","selected_tab_id":3})"));
}

TEST_F(ConclusionActions, RecordExtensionIsFedAndShowsTheRecordWhenVisible) {
  std::vector<std::pair<std::string, Variant>> events;
  auto& registry = framework::extension::ExtensionRegistry::Instance();
  registry.Register(
      {c::kRecordExtensionId, "", nullptr, [&](const std::string& name, const Variant* p) {
         events.push_back({name, *p});
       }});
  FireHost(h::record_state::kModel, h::record_state::kEventRecordStateChanged,
           V(R"({"record_state":2,"record_type":1})"));
  Load();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].first, "InitCloudRecordingParams");
  EXPECT_EQ(events[0].second.GetUInt64(c::record::kMeetingId), 8812345678u);
  EXPECT_EQ(Last(velmo::kPropContributesDataSource).At(0).GetString("extension_id"),
            c::kRecordExtensionId);

  EXPECT_EQ(registry.SendItemUpdate(c::kRecordExtensionId, V(R"({"visible":false})")), 1);
  EXPECT_FALSE(Last(c::kPropConclusionUiData).GetBool(c::ui_data::kCouldRecordVisible, true));
  EXPECT_EQ(registry.SendItemUpdate(c::kRecordExtensionId, V(R"({"visible":true})")), 1);
  EXPECT_TRUE(Last(c::kPropConclusionUiData).GetBool(c::ui_data::kCouldRecordVisible));
  EXPECT_EQ(props_[velmo::kPropContributesUpdateItem].size(), 2u);
}

}  // namespace
}  // namespace after_meeting::test
