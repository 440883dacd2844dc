// AfterMeetingInfoCellWidget: one row of the conclusion page's application panel: an icon, a
// title elided to the room it has, an optional description on the right and an arrow, under a
// thin separator. The page makes the whole cell clickable.
//
//   auto* cell = new AfterMeetingInfoCellWidget(panel);
//   cell->SetTitle("Assistant");  cell->SetDesc("Keep using it", true);
//   cell->SetIcon(local_png, remote_url);
//
// UI thread only.
#pragma once

#include <memory>

#include <QString>

#include "platform/widgets/qf_widget.h"

class QEvent;
class QFLabel;
class QFrame;
class QHBoxLayout;
class QVBoxLayout;
class QtImageView;

namespace after_meeting {

class AfterMeetingInfoCellWidget : public QFWidget {
  Q_OBJECT

 public:
  explicit AfterMeetingInfoCellWidget(QWidget* parent);
  ~AfterMeetingInfoCellWidget() override;

  void SetTitle(const QString& text);
  // A visible description takes its text's width from the title.
  void SetDesc(const QString& text, bool visible);
  // The local image shows at once (the theme's secondary text colour until it does); a URL
  // replaces it when it arrives.
  void SetIcon(const QString& path, const QString& url);
  void SetSeparatorVisible(bool visible);

  QFLabel* title_label() const { return title_; }
  QFLabel* desc_label() const { return desc_; }
  QFLabel* arrow_label() const { return arrow_; }
  QFrame* separator() const { return separator_; }
  QWidget* content() const { return content_; }
  QtImageView* icon() const { return icon_.get(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QVBoxLayout* main_layout_ = nullptr;
  QFWidget* content_ = nullptr;
  QHBoxLayout* content_layout_ = nullptr;
  QFrame* separator_ = nullptr;
  std::shared_ptr<QtImageView> icon_;
  QFLabel* title_ = nullptr;
  QFLabel* desc_ = nullptr;
  QFLabel* arrow_ = nullptr;
  QString icon_path_;
  QString icon_url_;
};

}  // namespace after_meeting
