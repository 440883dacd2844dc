// AfterMeetingFeedbackViewModel: the feedback page's logic. It turns the feedback configuration
// held by the after-meeting model into the page's title, tags and confirm button, keeps the
// user's tag choices and free text, and on submit reports them and takes the container back to
// the conclusion page.
#pragma once

#include <cstdint>
#include <string>

#include "platform/base/variant.h"
#include "platform/framework/view_model.h"

namespace after_meeting {

class AfterMeetingFeedbackViewModel : public framework::StatefulViewModel {
 public:
  using Variant = base::variant::Variant;

  AfterMeetingFeedbackViewModel();
  ~AfterMeetingFeedbackViewModel() override;

  void OnViewAttached(const Variant* params) override;
  void OnViewDetached() override;

  // The model's feedback info ({"feedback": configuration}); rebuilds the page data.
  void OnFeedbackInfo(const Variant* info);

 protected:
  void HandleAction(int action, const Variant* params) override;

 private:
  void FeedBackUiData();
  void BuildTagListFromConfig(const Variant& state);
  void BuildBuiltInTagList();
  void UpdateFeedBackConfirmButton();
  void HandleClickTagListItemAction(const Variant* params);
  void HandleUpdateOtherProblemsContentAction(const Variant* params);
  void HandleClickSubmitButton(const Variant* params);
  void HandleReport(const std::string& report_id);
  void GoBackToConclusion();

  Variant share_params_;
  int item_selected_number_ = 0;
  std::string other_question_;
  uint64_t start_tick_ = 0;
  // One {key text: "0" | "1"} map per tag, in list order; only ever appended to, so a rebuild
  // keeps earlier choices (a click updates the first record with its key).
  Variant::Array tag_states_;
};

}  // namespace after_meeting
