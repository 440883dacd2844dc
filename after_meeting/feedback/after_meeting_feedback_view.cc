#include "after_meeting/feedback/after_meeting_feedback_view.h"

#include <QHBoxLayout>
#include <QPalette>
#include <QPixmap>
#include <QStyle>
#include <QTextCursor>
#include <QVBoxLayout>

#include "after_meeting/feedback/feedback_contract.h"
#include "after_meeting/module/module_texts.h"
#include "platform/framework/string_formatter.h"
#include "platform/widgets/custom_text_edit.h"
#include "platform/widgets/qf_label.h"
#include "platform/widgets/qf_loading_push_button.h"
#include "platform/widgets/qf_plain_label.h"
#include "platform/widgets/qf_push_button.h"
#include "platform/widgets/qf_widget.h"
#include "platform/widgets/qss_setter.h"
#include "platform/widgets/qt_ui_custom_theme_helper.h"

namespace after_meeting {

namespace fb = feedback;
using base::variant::Variant;

namespace {

constexpr int kFrameWidth = 400;
constexpr int kSectionSpacing = 12;
// The counter row is drawn over the bottom padding inside the text box.
constexpr int kCounterOverlap = -34;
constexpr char kTextEmptyProperty[] = "textEmpty";
constexpr char kTextEditStyle[] =
    "QTextEdit{border-radius:4px; "
    "background:vl_color_background_tertiary;font-size:14px;padding-left:4px;padding-top:4px;"
    "padding-bottom:26px;color:vl_color_text_primary;}QTextEdit[textEmpty=true] "
    "{color:vl_color_text_disabled;}";

QString Text(uint32_t id) { return QString::fromStdString(ModuleText(id)); }

}  // namespace

AfterMeetingFeedbackView::AfterMeetingFeedbackView() = default;

AfterMeetingFeedbackView::~AfterMeetingFeedbackView() {
  if (question_list_) question_list_->RegisterDelegate(nullptr);
  Dispose();
  question_list_.reset();
}

void AfterMeetingFeedbackView::BindViewModel(framework::StatefulViewModel* vm) {
  if (!vm) return;
  // The view model outlives no view it is bound to (the view unbinds on dispose).
  vm->BindProp(fb::kPropFeedbackTagList, [this](const Variant* v) { OnTagListChanged(v); });
  vm->BindProp(fb::kPropFeedbackUiData, [this](const Variant* v) { OnFeedbackUiDataChanged(v); });
  vm->BindProp(fb::kPropFeedbackConfirm, [this](const Variant* v) { OnConfirmChanged(v); });
}

QWidget* AfterMeetingFeedbackView::CreateFrame(QWidget* parent) {
  if (frame_widget_) return frame_widget_;
  frame_widget_ = new QFWidget(parent, Qt::WindowFlags());
  frame_widget_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  frame_widget_->setFixedWidth(kFrameWidth);
  QssSetter::SetStyle(frame_widget_, QStringLiteral("feedback_ing_widget"),
                      QssStyle().Background("vl_color_background_quaternary"));
  if (parent && parent->layout()) {
    if (auto* column = qobject_cast<QVBoxLayout*>(parent->layout()))
      column->addWidget(frame_widget_, 0, Qt::AlignHCenter);
    else
      parent->layout()->addWidget(frame_widget_);
  }

  main_layout_ = new QVBoxLayout(frame_widget_);
  main_layout_->setContentsMargins(20, 16, 20, 20);
  InitTitleBar();
  main_layout_->addSpacing(kSectionSpacing);
  InitQuestionList();
  main_layout_->addSpacing(kSectionSpacing);
  InitTextEdit();
  main_layout_->addSpacing(kCounterOverlap);
  InitCounterRow();
  main_layout_->addSpacing(kSectionSpacing);
  InitSubmitButton();
  frame_widget_->adjustSize();

  InitConnections();
  InitKeyboardOrder();
  ApplyAccessibleTexts();
  std::weak_ptr<AfterMeetingFeedbackView> weak = WeakSelf<AfterMeetingFeedbackView>();
  language_watch_ = std::make_unique<LanguageWatch>([weak] {
    if (auto self = weak.lock()) self->ApplyAccessibleTexts();
  });
  return frame_widget_;
}

void AfterMeetingFeedbackView::InitTitleBar() {
  title_bar_ = new QWidget(frame_widget_);
  title_bar_->setObjectName(QStringLiteral("feedback_title_bar"));
  title_bar_->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::Fixed);
  auto* row = new QHBoxLayout(title_bar_);
  row->setSpacing(4);
  row->setContentsMargins(0, 0, 0, 0);

  back_icon_ = new QFLabel(title_bar_);
  back_icon_->setObjectName(QStringLiteral("feedback_back_icon"));
  back_icon_->setFixedSize(16, 16);
  back_icon_->setPixmap(QPixmap(QStringLiteral(":/images/arrow_left_16")));
  back_icon_->SetKeyboardActivatable(true);
  row->addWidget(back_icon_, 0, Qt::AlignVCenter);

  title_label_ = new QFPlainLabel(title_bar_);
  title_label_->setMinimumSize(220, 24);
  title_label_->setMaximumSize(324, 52);
  title_label_->setStyleSheet(QStringLiteral("font-weight:500;"));
  QssSetter::SetStyle(title_label_, QStringLiteral("feedback_title"),
                      QssStyle().FontSize(16).Color("vl_color_text_primary"));
  row->addWidget(title_label_, 0, Qt::AlignVCenter);
  row->addStretch();

  main_layout_->addWidget(title_bar_);
}

void AfterMeetingFeedbackView::InitQuestionList() {
  question_list_ = std::make_shared<FeedbackQuestionListView>();
  question_list_->BuildFromParams(nullptr, nullptr);
  question_list_->RegisterDelegate(this);
  main_layout_->addWidget(question_list_->frame());
}

void AfterMeetingFeedbackView::InitTextEdit() {
  text_edit_ = new CustomTextEdit();
  text_edit_->setObjectName(QStringLiteral("feedback_other_problems"));
  text_edit_->setFixedSize(354, 116);
  text_edit_->setPlaceholderText(
      QStringLiteral("Please describe the problem you encountered (optional)"));
  text_edit_->SetPlaceHolderColorToken("vl_color_text_disabled");
  text_edit_->setAcceptRichText(false);
  // Tab leaves the box, so the whole page can be walked with the keyboard.
  text_edit_->setTabChangesFocus(true);
  text_edit_->setProperty(kTextEmptyProperty, true);
  main_layout_->addWidget(text_edit_);
  // Styled once the page holds it: a box that brought its own sheet along would be polished,
  // scroll bars and all, as the layout took it in, and again when shown.
  QssSetter::SetStyleSheet(text_edit_, QLatin1String(kTextEditStyle));
}

void AfterMeetingFeedbackView::InitCounterRow() {
  auto* row = new QHBoxLayout();
  row->setContentsMargins(0, 0, 0, 0);
  counter_label_ = new QFPlainLabel(QStringLiteral("0/100"), frame_widget_);
  counter_label_->setFixedSize(348, 20);
  counter_label_->setProperty("label-style", QStringLiteral("label__style--gray"));
  counter_label_->setAlignment(Qt::AlignRight);
  QssSetter::SetStyle(counter_label_, QStringLiteral("feedback_text_counter"),
                      QssStyle().Color("vl_color_text_disabled").FontSize(14));
  row->addWidget(counter_label_, 0, Qt::AlignLeft);
  row->addStretch();
  main_layout_->addLayout(row);
}

void AfterMeetingFeedbackView::InitSubmitButton() {
  submit_button_ = new QFLoadingPushButton();
  submit_button_->setObjectName(QStringLiteral("feedback_submit_btn"));
  submit_button_->setFixedSize(360, 36);
  submit_button_->SetButtonText(QStringLiteral("submit"));
  main_layout_->addWidget(submit_button_, 0, Qt::AlignHCenter);
  // Its look comes once the page holds it, for the same reason as the text box's.
  submit_button_->SetButtonType(QFPushButton::kButtonTypePrimary);
  // White in every theme: the token's value.
  const QColor on_brand =
      QTUICustomThemeHelper::SharedInstance()->GetThemeQColor("vl_color_text_on_brand");
  QPalette palette = submit_button_->palette();
  palette.setColor(QPalette::Text, on_brand);
  palette.setColor(QPalette::WindowText, on_brand);
  palette.setColor(QPalette::ButtonText, on_brand);
  submit_button_->setPalette(palette);
}

void AfterMeetingFeedbackView::InitConnections() {
  std::weak_ptr<AfterMeetingFeedbackView> weak = WeakSelf<AfterMeetingFeedbackView>();
  // The view's QObject part is the context: the callbacks end with the view.
  submit_button_->RegisterClickCallback(this, [weak](const Variant*) {
    if (auto self = weak.lock()) self->SendAction(fb::kActionClickSubmitButton, nullptr);
  });
  back_icon_->RegisterClickCallback(this, [weak](const Variant*) {
    if (auto self = weak.lock()) self->SendAction(fb::kActionFeedbackBack, nullptr);
  });
  connect(text_edit_, &QTextEdit::textChanged, this, [weak] {
    if (auto self = weak.lock()) self->OnOtherQuestionTextChanged();
  });
}

void AfterMeetingFeedbackView::InitKeyboardOrder() {
  // Top to bottom: back, the tags in reading order, the text box, submit. Tags come and go with
  // the data, so the chain is laid again each time.
  if (!back_icon_ || !text_edit_ || !submit_button_) return;
  QWidget* previous = back_icon_;
  if (question_list_) {
    for (QFPushButton* tag : question_list_->tags()) {
      QWidget::setTabOrder(previous, tag);
      previous = tag;
    }
  }
  QWidget::setTabOrder(previous, text_edit_);
  QWidget::setTabOrder(text_edit_, submit_button_);
}

void AfterMeetingFeedbackView::ApplyAccessibleTexts() {
  if (!frame_widget_) return;
  frame_widget_->setAccessibleName(Text(fb::a11y::kPageName));
  frame_widget_->setAccessibleDescription(Text(fb::a11y::kPageDescription));
  back_icon_->setAccessibleName(Text(fb::a11y::kBackName));
  back_icon_->setAccessibleDescription(Text(fb::a11y::kBackDescription));
  title_label_->setAccessibleDescription(Text(fb::a11y::kTitleDescription));
  DescribeTags();
  text_edit_->setAccessibleName(Text(fb::a11y::kOtherProblemsName));
  DescribeLengthLimit();
  counter_label_->setAccessibleDescription(Text(fb::a11y::kCounterDescription));
  submit_button_->setAccessibleDescription(Text(fb::a11y::kSubmitDescription));
  UpdateCounterName();
}

// Every accessible text set sends an accessibility event, so data changes renew only the texts
// they touch.
void AfterMeetingFeedbackView::DescribeTags() {
  if (!question_list_) return;
  const QString tag_description = Text(fb::a11y::kTagDescription);
  for (QFPushButton* tag : question_list_->tags()) tag->setAccessibleDescription(tag_description);
}

void AfterMeetingFeedbackView::DescribeLengthLimit() {
  if (!text_edit_) return;
  text_edit_->setAccessibleDescription(QString::fromStdString(
      framework::StringFormatter(ModuleText(fb::a11y::kOtherProblemsDescription))
          .Arg(fb::a11y::kArgLimit, Variant(length_limit_))
          .Str()));
}

void AfterMeetingFeedbackView::OnTagListChanged(const Variant* list) {
  if (!list || !question_list_) return;
  question_list_->SetQuestionListData(*list);
  InitKeyboardOrder();
  DescribeTags();
  if (frame_widget_) frame_widget_->adjustSize();
  emit NeedUpdateSize();
}

void AfterMeetingFeedbackView::OnFeedbackUiDataChanged(const Variant* data) {
  if (!data) return;
  if (title_label_)
    title_label_->setText(QString::fromStdString(data->GetString(fb::ui_data::kTitle)));
  if (text_edit_) {
    text_edit_->setPlaceholderText(
        QString::fromStdString(data->GetString(fb::ui_data::kOtherQuestionPlaceholder)));
  }
  length_limit_ = data->GetInt32(fb::ui_data::kOtherQuestionLengthLimit);
  SetCounter(text_edit_ ? text_edit_->toPlainText().size() : 0);
  DescribeLengthLimit();
  emit NeedUpdateSize();
}

void AfterMeetingFeedbackView::OnConfirmChanged(const Variant* data) {
  if (!data || !submit_button_) return;
  submit_button_->setEnabled(data->GetBool(fb::confirm::kEnable, false));
  submit_button_->SetButtonText(QString::fromStdString(data->GetString(fb::confirm::kText)));
}

void AfterMeetingFeedbackView::OnQuestionItemClicked(const Variant& item, bool selected) {
  Variant click = Variant::MakeMap();
  click[fb::click::kId] = item.Get(fb::tag::kId);
  click[fb::click::kIsSelected] = selected;
  SendAction(fb::kActionClickTagListItem, &click);
}

void AfterMeetingFeedbackView::OnOtherQuestionTextChanged() {
  if (!text_edit_) return;
  const QString text = text_edit_->toPlainText();
  int used = text.size();

  const bool was_empty = text_edit_->property(kTextEmptyProperty).toBool();
  const bool is_empty = text.isEmpty();
  if (was_empty != is_empty) {
    text_edit_->setProperty(kTextEmptyProperty, is_empty);
    text_edit_->style()->polish(text_edit_);
  }

  if (used > length_limit_) {
    // Raises textChanged again (nested), which reports the fitting text itself.
    text_edit_->setPlainText(text.left(length_limit_));
    if (!text_edit_) return;
    text_edit_->moveCursor(QTextCursor::End, QTextCursor::MoveAnchor);
    used = length_limit_;
  }
  SetCounter(used);

  const Variant content(text_edit_->toPlainText().toStdString());
  SendAction(fb::kActionUpdateOtherProblemsContent, &content);
}

void AfterMeetingFeedbackView::SetCounter(int used) {
  if (!counter_label_) return;
  counter_label_->setText(QString::number(used) + QLatin1Char('/') +
                          QString::number(length_limit_));
  UpdateCounterName();
}

void AfterMeetingFeedbackView::UpdateCounterName() {
  if (!counter_label_) return;
  // Spoken as what is shown ("12/150" reads "12 of 150 characters used").
  const QStringList parts = counter_label_->text().split(QLatin1Char('/'));
  if (parts.size() != 2) return;
  counter_label_->setAccessibleName(
      QString::fromStdString(framework::StringFormatter(ModuleText(fb::a11y::kCounterName))
                                 .Arg(fb::a11y::kArgUsed, Variant(parts[0].toStdString()))
                                 .Arg(fb::a11y::kArgLimit, Variant(parts[1].toStdString()))
                                 .Str()));
}

void AfterMeetingFeedbackView::SendAction(int action, const Variant* param) {
  if (framework::StatefulViewModel* vm = view_model()) vm->Handle(action, param);
}

}  // namespace after_meeting
