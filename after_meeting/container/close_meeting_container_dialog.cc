#include "after_meeting/container/close_meeting_container_dialog.h"

#include <QVBoxLayout>

#include "after_meeting/host/log.h"

namespace after_meeting {

CloseMeetingContainerDialog::CloseMeetingContainerDialog(BaseDialogDelegate* delegate,
                                                         QWidget* parent)
    : BaseDialog(delegate, parent, QStringLiteral("after_meeting"),
                 BaseDialog::kStyleShadow | BaseDialog::kStyleBody, QString(), {}, true) {
  ShowTitleBar(false);
  setWindowFlags(windowFlags() | Qt::Tool);
  layout_ = new QVBoxLayout(GetMainWidget());
  layout_->setSpacing(0);
  layout_->setContentsMargins(0, 0, 0, 0);
  GetMainWidget()->setFixedWidth(kMainWidth);
  GetMainWidget()->setMinimumHeight(kMainMinimumHeight);
}

CloseMeetingContainerDialog::~CloseMeetingContainerDialog() { AM_LOG(6) << ""; }

}  // namespace after_meeting
