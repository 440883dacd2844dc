// The three pages meet only through the model: thumbs down on the conclusion page opens the
// feedback page; its submit goes back and marks the conclusion's feedback row done.
#include <gtest/gtest.h>

#include "after_meeting/conclusion/conclusion_contract.h"
#include "after_meeting/container/container_contract.h"
#include "after_meeting/feedback/feedback_contract.h"
#include "tests/after_meeting/view_model_fixture.h"

namespace after_meeting::test {
namespace {

class CrossPage : public ViewModelTest {};

TEST_F(CrossPage, ThumbsDownOpensFeedbackAndSubmitComesBackWithTheRowDone) {
  SendFeedbackInfo(R"({"feedback": {
      "EvaluateState": {"title": "How was it?", "desc": "",
                        "left": {"text": "Good", "report": "r_up"},
                        "right": {"text": "Bad", "report": "r_down"}},
      "ResultState": {"title": "Thanks!", "desc": "Sent"},
      "FeedbackState": {"title": "What went wrong?", "list": ["a", "b"],
                        "confirm": {"text": "Submit", "report": "r_submit"}}}})");
  auto container = Build(kTypeCloseMeetingContainerViewModel);
  auto conclusion = Build(kTypeAfterMeetingConclusionViewModel);
  auto feedback = Build(kTypeAfterMeetingFeedbackViewModel);
  RecordingView container_view, conclusion_view, feedback_view;
  container_view.Attach(container.get());
  conclusion_view.Attach(conclusion.get(), {conclusion::kPropConclusionContentList});
  feedback_view.Attach(feedback.get());
  ASSERT_EQ(container_view.states, (std::vector<int>{kPageConclusion}));

  // The meeting-end answer arrives: the content list shows the feedback row, not yet done.
  Variant result = V(R"({"biz_code": 0, "msg": "", "status_code": 200, "basic_info": {}})");
  model()->FireEvent(kEventConclusionInfoComplete, &result);
  Variant list = conclusion_view.Last(conclusion::kPropConclusionContentList);
  ASSERT_EQ(list.Size(), 1u);
  EXPECT_EQ(list.At(0).GetInt32(conclusion::content_item::kItemType), conclusion::kItemTypeFeedback);
  EXPECT_FALSE(list.At(0).GetBool(conclusion::content_item::kIsFeedbackDone, true));

  conclusion->Handle(conclusion::kActionThumbsDown, nullptr);
  EXPECT_EQ(container_view.states.back(), kPageFeedback);

  Variant click;
  click[feedback::click::kId] = "b";
  click[feedback::click::kIsSelected] = true;
  feedback->Handle(feedback::kActionClickTagListItem, &click);
  feedback->Handle(feedback::kActionClickSubmitButton, nullptr);

  EXPECT_EQ(container_view.states.back(), kPageConclusion);
  list = conclusion_view.Last(conclusion::kPropConclusionContentList);
  ASSERT_EQ(list.Size(), 1u);
  EXPECT_TRUE(list.At(0).GetBool(conclusion::content_item::kIsFeedbackDone));
  // Both feedback payloads reached the host's report model: the dislike, then the submit.
  auto reports = reports_->CallsOf(host::feedback_report::kCallReport);
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].params.GetString("report"), "r_down");
  EXPECT_EQ(reports[1].params.GetString("report"), "r_submit");
  EXPECT_EQ(reports[1].params.Get("data").GetString("thumbs_down"), "1");

  conclusion->OnViewDetached();
  feedback->OnViewDetached();
  container->OnViewDetached();
}

}  // namespace
}  // namespace after_meeting::test
