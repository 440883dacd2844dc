// AfterMeetingFeedbackView: the feedback page of the close-meeting window. It shows the title
// with a back arrow, the problem tags, a free-text box with a character counter and the submit
// button, renders the feedback view model's properties and sends every user input to it as an
// action. It asks its container for a resize (NeedUpdateSize) whenever its content changes.
#pragma once

#include <memory>

#include <QPointer>

#include "platform/base/variant.h"
#include "platform/framework/app_qt_view.h"
#include "platform/widgets/feedback_question_list_view.h"

class CustomTextEdit;
class QFLabel;
class QFLoadingPushButton;
class QFPlainLabel;
class QFWidget;
class QVBoxLayout;

namespace after_meeting {

class LanguageWatch;

class AfterMeetingFeedbackView : public AppQTView, public FeedbackQuestionListViewDelegate {
  Q_OBJECT

 public:
  using Variant = base::variant::Variant;

  AfterMeetingFeedbackView();
  ~AfterMeetingFeedbackView() override;

  void OnQuestionItemClicked(const Variant& item, bool selected) override;

  // The current limit of the free text (0 until the page data arrives).
  int length_limit() const { return length_limit_; }

 signals:
  void NeedUpdateSize();

 protected:
  void OnDeactivate() override {}
  void OnDispose() override {}
  void BindViewModel(framework::StatefulViewModel* vm) override;
  void OnActivate() override {}
  QWidget* CreateFrame(QWidget* parent) override;
  void OnFrameDestoryed(QWidget* frame) override {}

 private:
  void InitTitleBar();
  void InitQuestionList();
  void InitTextEdit();
  void InitCounterRow();
  void InitSubmitButton();
  void InitConnections();
  void InitKeyboardOrder();
  void ApplyAccessibleTexts();
  void DescribeTags();
  void DescribeLengthLimit();

  void OnTagListChanged(const Variant* list);
  void OnFeedbackUiDataChanged(const Variant* data);
  void OnConfirmChanged(const Variant* data);
  void OnOtherQuestionTextChanged();
  void SetCounter(int used);
  void UpdateCounterName();
  void SendAction(int action, const Variant* param);

  // Widgets belong to the frame, which may go before the view: all held as QPointer.
  QPointer<QFWidget> frame_widget_;
  QPointer<QWidget> title_bar_;
  QPointer<QFPlainLabel> title_label_;
  QPointer<QFLabel> back_icon_;
  QPointer<QVBoxLayout> main_layout_;
  QPointer<QFLoadingPushButton> submit_button_;
  std::shared_ptr<FeedbackQuestionListView> question_list_;
  QPointer<CustomTextEdit> text_edit_;
  int length_limit_ = 0;
  QPointer<QFPlainLabel> counter_label_;
  std::unique_ptr<LanguageWatch> language_watch_;
};

}  // namespace after_meeting
