#include "after_meeting/container/close_meeting_container_view.h"

#include <QKeyEvent>
#include <QVBoxLayout>
#include <QVariantAnimation>

#include "after_meeting/conclusion/conclusion_contract.h"
#include "after_meeting/container/close_meeting_container_dialog.h"
#include "after_meeting/container/container_contract.h"
#include "after_meeting/feedback/after_meeting_feedback_view.h"
#include "after_meeting/host/log.h"
#include "after_meeting/module/after_meeting_module.h"
#include "after_meeting/module/after_meeting_module_runtime.h"
#include "after_meeting/module/module_constants.h"
#include "after_meeting/module/module_texts.h"
#include "platform/widgets/animation_tracker.h"
#include "platform/widgets/custom_event_utils.h"
#include "platform/widgets/qf_push_button.h"

namespace after_meeting {

using base::variant::Variant;

namespace {

constexpr int kConclusionWidth = 420;
constexpr int kFeedbackWidth = 400;
constexpr char kViewParams[] = "view_params";

std::shared_ptr<framework::StatefulViewModel> BuildPageViewModel(int type) {
  AfterMeetingModuleRuntime* runtime = GetModuleRuntime();
  framework::ViewModelProvider* provider = runtime ? runtime->GetViewModelProvider() : nullptr;
  return provider ? provider->BuildViewModel(type) : nullptr;
}

}  // namespace

CloseMeetingContainerView::CloseMeetingContainerView() = default;

CloseMeetingContainerView::~CloseMeetingContainerView() {
  Dispose();
  conclusion_view_.reset();
  feedback_view_.reset();
}

void CloseMeetingContainerView::OnDeactivate() { AppBaseView::OnDeactivate(); }

void CloseMeetingContainerView::OnActivate() { AppBaseView::OnActivate(); }

void CloseMeetingContainerView::OnDispose() {
  // The frame is deleted later; it must not ask this view anything meanwhile.
  if (dialog_) {
    dialog_->removeEventFilter(this);
    dialog_->SetDelegate(nullptr);
  }
  dialog_ = nullptr;
  language_watch_.reset();
}

QWidget* CloseMeetingContainerView::CreateFrame(QWidget* parent) {
  if (dialog_) return dialog_;
  dialog_ = new CloseMeetingContainerDialog(this, parent);
  dialog_->setObjectName(QStringLiteral("AfterMeetingDialog"));
  dialog_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  dialog_->GetMainWidget()->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  BuildPages();

  QWidget* conclusion_frame = conclusion_view_->frame();
  const QSize hint = conclusion_frame ? conclusion_frame->sizeHint() : QSize(0, 0);
  dialog_->resize(hint.width() + 2 * dialog_->GetShadowWidth(),
                  hint.height() + 2 * dialog_->GetShadowHeight());
  UpdateContainerSize();

  connect(conclusion_view_.get(), &AfterMeetingConclusionView::NeedUpdateSize, this,
          &CloseMeetingContainerView::UpdateConclusionSize);
  connect(feedback_view_.get(), &AfterMeetingFeedbackView::NeedUpdateSize, this,
          &CloseMeetingContainerView::UpdateFeedbackSize);
  connect(conclusion_view_.get(), &AfterMeetingConclusionView::UpdateHeightWithAnimation, this,
          &CloseMeetingContainerView::AnimateHeight);

  // Shows, hides and resizes are announced to observers; Esc is taken here.
  dialog_->installEventFilter(this);
  ApplyAccessibleTexts();
  std::weak_ptr<CloseMeetingContainerView> weak = WeakSelf<CloseMeetingContainerView>();
  language_watch_ = std::make_unique<LanguageWatch>([weak] {
    if (auto self = weak.lock()) self->ApplyAccessibleTexts();
  });
  return dialog_;
}

void CloseMeetingContainerView::BuildPages() {
  QWidget* main = dialog_->GetMainWidget();

  conclusion_view_ = std::make_shared<AfterMeetingConclusionView>();
  conclusion_view_->SetViewModel(BuildPageViewModel(kTypeAfterMeetingConclusionViewModel));
  Variant activate_params = Variant::MakeMap();
  activate_params[kViewParams] = Variant();
  conclusion_view_->BuildAndActivate({}, main, Variant(), activate_params);

  feedback_view_ = std::make_shared<AfterMeetingFeedbackView>();
  feedback_view_->SetViewModel(BuildPageViewModel(kTypeAfterMeetingFeedbackViewModel));
  feedback_view_->BuildAndActivate({}, main, Variant(), Variant());
}

void CloseMeetingContainerView::OnViewStatefulChanged(int state, const Variant*) {
  if (!dialog_) return;
  AM_LOG(6) << "[View state change] The state changes to " << state;
  page_ = state;
  SwitchPage();
}

void CloseMeetingContainerView::SwitchPage() {
  const bool conclusion = page_ == kPageConclusion;
  const bool feedback = page_ == kPageFeedback;
  if (conclusion_view_) conclusion_view_->SetVisible(conclusion);
  if (feedback_view_) feedback_view_->SetVisible(feedback);
  dialog_->GetMainWidget()->setFixedWidth(conclusion ? kConclusionWidth
                                          : feedback ? kFeedbackWidth
                                                     : 0);
  UpdateContainerSize();
  AnnounceWindowState(dialog_, page_);
}

void CloseMeetingContainerView::UpdateContainerSize() {
  std::weak_ptr<CloseMeetingContainerView> weak = WeakSelf<CloseMeetingContainerView>();
  // The view may be gone by the time the loop runs this.
  CustomEventUtils::DelayAction(this, [weak] {
    if (auto self = weak.lock()) self->ApplyContainerSize();
  });
}

bool CloseMeetingContainerView::IsPageShown(const AppBaseQTView* page) const {
  QWidget* frame = page ? page->frame() : nullptr;
  return frame && dialog_ && frame->isVisibleTo(dialog_);
}

void CloseMeetingContainerView::ApplyContainerSize() {
  if (animating_ || !dialog_) return;
  QSize size;
  if (IsPageShown(conclusion_view_.get())) {
    conclusion_view_->frame()->adjustSize();
    size = conclusion_view_->frame()->sizeHint();
  }
  if (IsPageShown(feedback_view_.get())) {
    feedback_view_->frame()->adjustSize();
    size = feedback_view_->frame()->sizeHint();
  }
  dialog_->GetMainWidget()->resize(size);
  dialog_->adjustSize();
  // The page plus the shadow around it; without a page the dialog's layout keeps it at its
  // smallest.
  if (size.isValid()) size += QSize(2 * dialog_->GetShadowWidth(), 2 * dialog_->GetShadowHeight());
  dialog_->resize(size);
}

void CloseMeetingContainerView::UpdateConclusionSize() {
  if (IsPageShown(conclusion_view_.get())) UpdateContainerSize();
}

void CloseMeetingContainerView::UpdateFeedbackSize() {
  if (IsPageShown(feedback_view_.get())) UpdateContainerSize();
}

void CloseMeetingContainerView::AnimateHeight(int height, int duration,
                                              UpdateSizeEndCallback callback) {
  if (!dialog_) return;
  auto* animation = new QVariantAnimation();
  animation->setDuration(duration);
  animation->setStartValue(dialog_->height());
  animation->setEndValue(height + 2 * dialog_->GetShadowHeight());
  animating_ = true;

  std::weak_ptr<CloseMeetingContainerView> weak = WeakSelf<CloseMeetingContainerView>();
  // The animation has no parent and may outlive the view: every step checks it first.
  connect(animation, &QVariantAnimation::valueChanged, this, [weak](const QVariant& value) {
    auto self = weak.lock();
    if (!self || !self->dialog_) return;
    QSize size = self->dialog_->size();
    size.setHeight(static_cast<int>(value.toDouble()));
    self->dialog_->resize(size);
  });
  connect(animation, &QAbstractAnimation::finished, this, [weak, callback] {
    auto self = weak.lock();
    if (!self) return;
    if (callback) callback(nullptr);
    self->animating_ = false;
    self->UpdateContainerSize();
  });
  AnimationTracker::Track(animation);
  animation->start(QAbstractAnimation::DeleteWhenStopped);
}

bool CloseMeetingContainerView::eventFilter(QObject* watched, QEvent* event) {
  if (dialog_ && watched == dialog_) {
    switch (event->type()) {
      case QEvent::Show:
      case QEvent::Hide:
      case QEvent::Resize:
        AnnounceWindowState(dialog_, page_);
        break;
      case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
          CloseFromKeyboard();
          return true;
        }
        break;
      default:
        break;
    }
  }
  return AppQTWindowView::eventFilter(watched, event);
}

void CloseMeetingContainerView::CloseFromKeyboard() {
  if (!conclusion_view_) return;
  // Exactly what the close button does, including its report; without the button (no page
  // data yet) its action.
  if (QFPushButton* close = conclusion_view_->widgets().confirm_button) {
    close->click();
    return;
  }
  if (framework::StatefulViewModel* vm = conclusion_view_->view_model())
    vm->Handle(conclusion::kActionClosePage, nullptr);
}

void CloseMeetingContainerView::ApplyAccessibleTexts() {
  if (!dialog_) return;
  dialog_->setAccessibleName(QString::fromStdString(ModuleText(container_a11y::kWindowName)));
  dialog_->setAccessibleDescription(
      QString::fromStdString(ModuleText(container_a11y::kWindowDescription)));
}

}  // namespace after_meeting
