// CloseMeetingContainerDialog: the close-meeting window's frame, a shadowed frameless tool window
// without a title bar whose main widget stacks the pages in a margin-free column 420 px wide.
#pragma once

#include "platform/widgets/base_dialog.h"

class QVBoxLayout;

namespace after_meeting {

class CloseMeetingContainerDialog : public BaseDialog {
  Q_OBJECT

 public:
  static constexpr int kMainWidth = 420;
  static constexpr int kMainMinimumHeight = 88;

  CloseMeetingContainerDialog(BaseDialogDelegate* delegate, QWidget* parent);
  ~CloseMeetingContainerDialog() override;

  // The main widget's column, where the pages sit.
  QVBoxLayout* main_layout() const { return layout_; }

 signals:
  void OnClickBack();

 private:
  QVBoxLayout* layout_ = nullptr;
};

}  // namespace after_meeting
