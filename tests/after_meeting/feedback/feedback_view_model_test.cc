#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "after_meeting/feedback/feedback_contract.h"
#include "tests/after_meeting/view_model_fixture.h"

namespace after_meeting::test {
namespace {

namespace fb = feedback;

std::string Config(const std::string& state) {
  return R"({"feedback": {"FeedbackState": {)" + state + "}}}";
}
const std::string kConfig = Config(R"("title": "How was it?", "input": "Tell us more",
    "list": ["a", "b", "c"], "confirm": {"text": "Submit", "report": "fb_submit"})");

class FeedbackViewModel : public ViewModelTest {
 protected:
  void Attach() {
    vm_ = Build(kTypeAfterMeetingFeedbackViewModel);
    view_ = {};
    view_.Attach(vm_.get(),
                 {fb::kPropFeedbackUiData, fb::kPropFeedbackConfirm, fb::kPropFeedbackTagList});
  }
  void Act(int action, Variant param) { vm_->Handle(action, &param); }
  void Click(const std::string& id, bool selected) {
    Variant p;
    p["AfterMeetingFeedbackClickTagListItemFields_kStringId"] = id;
    p["AfterMeetingFeedbackClickTagListItemFields_kBooleanIsSelected"] = selected;
    Act(fb::kActionClickTagListItem, p);
  }
  bool ConfirmEnabled() {
    return view_.Last(fb::kPropFeedbackConfirm).GetBool(fb::confirm::kEnable);
  }
  std::vector<std::string> Tags(const char* key) {
    std::vector<std::string> out;
    const Variant tags = view_.Last(fb::kPropFeedbackTagList);
    for (const Variant& tag : tags.AsArray()) out.push_back(tag.GetString(key));
    return out;
  }
  // Submits; returns the report map that reached the host, or null.
  Variant SubmitReport() {
    rec_.Clear();
    reports_->ClearCalls();
    vm_->Handle(fb::kActionClickSubmitButton, nullptr);
    const auto calls = reports_->CallsOf(host::feedback_report::kCallReport);
    return calls.empty() ? Variant() : calls.back().params;
  }
  std::shared_ptr<framework::StatefulViewModel> vm_;
  RecordingView view_;
};

TEST_F(FeedbackViewModel, TagListIsTheSameOnEveryBuildAndClicksNameTagsByTheirId) {
  std::vector<std::string> shuffled = {"t0", "t1", "t2", "t3", "t4", "t5", "t6"};
  std::minstd_rand0 engine(1);
  std::shuffle(shuffled.begin(), shuffled.end(), engine);
  ASSERT_FALSE(std::is_sorted(shuffled.begin(), shuffled.end()));
  const std::pair<std::string, std::vector<std::string>> kCases[] = {
      {R"(, "list": ["a", 5, "b"], "list_rand": "true")", {"a", "b"}},
      {R"(, "list": ["t0", "t1", "t2", "t3", "t4", "t5", "t6"], "list_rand": true)", shuffled},
      {"",
       {"audio_choppy", "cannot_hear_others", "others_cannot_hear_me", "echo_or_noise",
        "video_blurry_or_frozen", "screen_sharing", "connection_dropped", "device_problem",
        "hard_to_use"}},
  };
  for (const auto& [list, ids] : kCases) {
    SCOPED_TRACE(list);
    Attach();
    for (int build = 0; build < 2; ++build) {
      SendFeedbackInfo(Config(R"("confirm": {})" + list));
      EXPECT_EQ(Tags("id"), ids);
    }
    Click(ids.back(), true);
    EXPECT_TRUE(ConfirmEnabled());
  }
  EXPECT_EQ(Tags("message").front(), "Audio was choppy or delayed");
}

TEST_F(FeedbackViewModel, ConfirmFollowsChoicesWhichARebuildKeeps) {
  Attach();
  SendFeedbackInfo(kConfig);
  EXPECT_EQ(view_.Last(fb::kPropFeedbackUiData), V(R"j({
      "AfterMeetingFeedbackFeedbackStateUiDataFields_kStringTitle": "How was it?",
      "AfterMeetingFeedbackFeedbackStateUiDataFields_kStringEditContentHintText": "Tell us more",
      "AfterMeetingFeedbackFeedbackStateUiDataFields_kStringOtherQuestionPlaceholder":
          "Other problems (optional)",
      "AfterMeetingFeedbackFeedbackStateUiDataFields_kIntegerOtherQuestionLengthLimit": 150})j"));
  EXPECT_EQ(view_.Last(fb::kPropFeedbackConfirm), V(R"({
      "AfterMeetingFeedbackFeedbackStateConfirmFields_kStringText": "Submit",
      "AfterMeetingFeedbackFeedbackStateConfirmFields_kBooleanEnable": false})"));
  // "+id" / "-id": a tag selected / deselected; anything else: the whole free text.
  const std::pair<std::string, bool> kSteps[] = {{"+b", true}, {"-b", false}, {"+zz", false},
                                                 {"x", true},  {"", false},   {"+c", true}};
  for (const auto& [step, enabled] : kSteps) {
    if (!step.empty() && (step[0] == '+' || step[0] == '-')) {
      Click(step.substr(1), step[0] == '+');
    } else {
      Act(fb::kActionUpdateOtherProblemsContent, step);
    }
    EXPECT_EQ(ConfirmEnabled(), enabled) << step;
  }
  clock_.Advance(1000);
  SendFeedbackInfo(kConfig);  // restarts the timer, appends fresh records
  EXPECT_TRUE(ConfirmEnabled());
  Click("a", true);  // only the first record of "a" counts
  clock_.Advance(250);
  const Variant data = SubmitReport()["data"];
  EXPECT_EQ(data["time_consumed"], Variant("250"));
  EXPECT_EQ(V(data.GetString("problems")),
            V(R"([{"a": "1"}, {"b": "0"}, {"c": "1"}, {"a": "0"}, {"b": "0"}, {"c": "0"}])"));
}

TEST_F(FeedbackViewModel, SubmitReportsOnlyWithAReportIdAndDetailsOnlyWithPageData) {
  Variant data = V(R"({"thumbs_down": "1", "time_consumed": "4321", "other_problems": ""})");
  data["problems"] =
      "[\n    {\n        \"a\": \"0\"\n    },\n    {\n        \"b\": \"0\"\n"
      "    },\n    {\n        \"c\": \"0\"\n    }\n]\n";
  Variant report = V(R"({"report": "fb_submit"})");
  report["data"] = data;
  struct Case {
    std::string json;  // empty: the model holds no feedback info (state 0)
    int state_action;
    bool report_model;
    Variant reported, finished;
  } const kCases[] = {
      {"", 0, true, {}, {}},
      {kConfig, 0, true, report, data},
      {kConfig, fb::kActionFeedbackState2, true, report, data},
      {Config(R"("confirm": {"report": ""})"), 0, true, {}, {}},
      {kConfig, 0, false, {}, data},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.json + (c.report_model ? "" : " without report model"));
    if (!c.report_model) testing_support::RemoveHostModel(host::feedback_report::kModel);
    if (!c.json.empty()) SendFeedbackInfo(c.json);
    Attach();  // builds once, from what the model holds
    if (c.state_action) Act(c.state_action, {});
    clock_.Advance(4321);
    EXPECT_EQ(SubmitReport(), c.reported);
    EXPECT_EQ(Fired(kEventSetCloseMeetingContainerPage), std::vector<Variant>{1});
    EXPECT_EQ(Fired(kEventFeedbackFinish), std::vector<Variant>{c.finished});
    EXPECT_EQ(rec_.Of("event").at(1)["event"], Variant(kEventFeedbackFinish));
    EXPECT_EQ(rec_.LogLevelOf("[AfterMeeting_feedback] share_params_ is not or not map"),
              c.json.empty() ? 3 : -1);
  }
}

TEST_F(FeedbackViewModel, WrongShapedParamsOnlyLogAfterTheStatisticsEvent) {
  Attach();
  SendFeedbackInfo(kConfig);
  const auto before = view_.values;
  const std::tuple<int, Variant, const char*> kCases[] = {
      {fb::kActionClickTagListItem, {}, "params is error."},
      {fb::kActionClickTagListItem, "b", "params is error."},
      {fb::kActionUpdateOtherProblemsContent, V(R"({"statistics_report_id": "e#fb#type"})"),
       "[aftermeeting_feedback] params is error."},
  };
  for (const auto& [action, param, log] : kCases) {
    rec_.Clear();
    vm_->Handle(action, param.IsNull() ? nullptr : &param);
    EXPECT_EQ(rec_.LogLevelOf(log), 1) << log;
    EXPECT_EQ(rec_.Of("report").size(), param.IsMap() ? 1u : 0u);
  }
  EXPECT_EQ(rec_.Of("report").at(0)["id"], Variant("e#fb#type"));
  EXPECT_EQ(view_.values, before);
  EXPECT_EQ(view_.states, std::vector<int>{1});
}

}  // namespace
}  // namespace after_meeting::test
