#include "after_meeting/conclusion/after_meeting_conclusion_view.h"

#include <QCoreApplication>
#include <QGraphicsOpacityEffect>
#include <QLayout>
#include <QParallelAnimationGroup>

#include "after_meeting/host/log.h"
#include "platform/widgets/qf_widget.h"
#include "platform/widgets/qt_image_view.h"

namespace after_meeting {

using base::variant::Variant;

AfterMeetingConclusionView::AfterMeetingConclusionView() {
  QCoreApplication::instance()->installEventFilter(this);
  AM_LOG(6) << "[After meeting] AfterMeetingConclusionView";
}

AfterMeetingConclusionView::~AfterMeetingConclusionView() {
  QCoreApplication::instance()->removeEventFilter(this);
  AM_LOG(6) << "[After meeting] ~AfterMeetingConclusionView";
}

const AfterMeetingConclusionView::Widgets& AfterMeetingConclusionView::widgets() const {
  static const Widgets kNone;
  return frame_widget_ ? ui_ : kNone;
}

void AfterMeetingConclusionView::BindViewModel(framework::StatefulViewModel* vm) {
  OnViewModelBoundEx(vm);
}

QWidget* AfterMeetingConclusionView::CreateFrame(QWidget* parent) {
  if (frame_widget_) return frame_widget_;
  frame_widget_ = new QFWidget();
  ui_.frame = frame_widget_;
  if (parent && parent->layout()) parent->layout()->addWidget(frame_widget_);
  return frame_widget_;
}

void AfterMeetingConclusionView::OnFrameDestoryed(QWidget* frame) {
  AppQTWindowView::OnFrameDestoryed(frame);
  QCoreApplication::instance()->removeEventFilter(this);
}

void AfterMeetingConclusionView::ShowSkeleton(bool show, bool second_row) {}
void AfterMeetingConclusionView::OnDeactivate() { AppBaseView::OnDeactivate(); }
void AfterMeetingConclusionView::OnDispose() {}
void AfterMeetingConclusionView::OnActivate() { ContributeQTWindowView::OnActivate(); }
bool AfterMeetingConclusionView::eventFilter(QObject* watched, QEvent* event) {
  return AppQTWindowView::eventFilter(watched, event);
}
void AfterMeetingConclusionView::HandleUpdateContributesDataSource(const Variant& items) {}
void AfterMeetingConclusionView::HandleUpdateItemView(const Variant* item) {}

}  // namespace after_meeting
