#include "platform/widgets/feedback_question_list_view.h"

#include <functional>
#include <utility>

#include <QEvent>
#include <QFontMetrics>

#include "platform/base/log.h"
#include "platform/widgets/flow_layout.h"
#include "platform/widgets/qf_push_button.h"
#include "platform/widgets/qf_widget.h"
#include "platform/widgets/qss_setter.h"

namespace {

constexpr int kTagPadding = 12;
constexpr int kTagBorder = 1;

QString TagStyleSheet() {
  QssStateStyles s;
  s.normal = QssStyle()
                 .FontSize(14)
                 .Radius(FeedbackQuestionListView::kTagHeight / 2)
                 .Padding(kTagPadding, 0, kTagPadding, 0)
                 .Background("vl_color_background_tertiary")
                 .Color("vl_color_text_primary")
                 .Border(kTagBorder, "vl_color_background_tertiary")
                 .Set("outline", "none");
  s.hover = QssStyle().Border(kTagBorder, "vl_color_outline_secondary");
  s.checked = QssStyle()
                  .Background("vl_color_brand_light")
                  .Color("vl_color_brand_primary")
                  .Border(kTagBorder, "vl_color_brand_primary");
  return QssSetter::ComposeRules(QStringLiteral("QFPushButton"), s);
}

// Calls back once the watched widget has a parent, then goes. A frame built without a parent
// and given a sheet of its own is polished again, with all it holds, when a page takes it in.
class OnParent : public QObject {
 public:
  OnParent(QWidget* watched, std::function<void()> then)
      : QObject(watched), then_(std::move(then)) {
    watched->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ParentChange && static_cast<QWidget*>(watched)->parentWidget()) {
      watched->removeEventFilter(this);
      then_();
      deleteLater();
    }
    return false;
  }

 private:
  std::function<void()> then_;
};

}  // namespace

FeedbackQuestionListView::FeedbackQuestionListView() = default;

FeedbackQuestionListView::~FeedbackQuestionListView() {
  // The frame shows this view's tags and calls back into it; it goes with the view.
  delete frame_.data();
}

QWidget* FeedbackQuestionListView::Build(QWidget* parent) {
  if (frame_) return frame_;
  frame_ = new QFWidget(parent);
  frame_->setObjectName(QStringLiteral("feedback_question_list"));
  frame_->setFixedWidth(width_);
  // As tall as its rows, never stretched by the page's layout.
  frame_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  new velmo_widgets::FlowLayout(frame_, kSpacing, kSpacing);
  if (parent)
    StyleTags();
  else
    new OnParent(frame_, [this] { StyleTags(); });
  return frame_;
}

void FeedbackQuestionListView::StyleTags() {
  if (tags_styled_ || !frame_) return;
  // The tags' look, once for all of them: a sheet per tag would be parsed for each one.
  QssSetter::SetKitStyleSheet(frame_, TagStyleSheet());
  tags_styled_ = true;
}

QWidget* FeedbackQuestionListView::BuildFromParams(std::shared_ptr<void>,
                                                   const base::variant::Variant*) {
  return Build(nullptr);
}

QWidget* FeedbackQuestionListView::frame() const { return frame_; }

void FeedbackQuestionListView::SetWidth(int width) {
  width_ = qMax(1, width);
  if (!frame_) return;
  frame_->setFixedWidth(width_);
  for (const auto& tag : tags_)
    if (tag) FitTag(tag, tag->accessibleName());
}

void FeedbackQuestionListView::FitTag(QFPushButton* tag, const QString& text) const {
  tag->ensurePolished();  // the style sheet's font decides the width
  const int room = width_ - 2 * (kTagPadding + kTagBorder);
  const QFontMetrics metrics = tag->fontMetrics();
  const bool cut = metrics.horizontalAdvance(text) > room;
  tag->setText(cut ? metrics.elidedText(text, Qt::ElideRight, room) : text);
  tag->setToolTip(cut ? text : QString());
  tag->setAccessibleName(text);
  tag->setMaximumWidth(width_);
}

void FeedbackQuestionListView::SetQuestionListData(const base::variant::Variant& list) {
  if (!frame_) Build(nullptr);
  StyleTags();  // a frame that never got a parent
  // Old tags may be the sender of the click being handled right now: retire them, delete later.
  for (const auto& tag : tags_) {
    if (!tag) continue;
    frame_->layout()->removeWidget(tag);
    tag->hide();
    tag->deleteLater();
  }
  tags_.clear();
  items_.clear();
  if (!list.IsArray()) {
    VLOG(3) << "[feedback tags] list is not an array: " << list.ToString();
  }
  for (const base::variant::Variant& item : list.AsArray()) {
    if (!item.IsMap() || !item.Get("message").IsString()) {
      VLOG(3) << "[feedback tags] skipped item: " << item.ToString();
      continue;
    }
    auto* tag = new QFPushButton(frame_);
    tag->setCheckable(true);
    tag->setFixedHeight(kTagHeight);
    FitTag(tag, QString::fromStdString(item.GetString("message")));
    const size_t index = items_.size();
    // Tags live in the frame, which this view deletes: they never outlive it.
    QObject::connect(tag, &QAbstractButton::clicked, tag,
                     [this, index](bool checked) { OnTagClicked(index, checked); });
    frame_->layout()->addWidget(tag);
    tag->show();
    tags_.push_back(tag);
    items_.push_back(item);
  }
  frame_->updateGeometry();
  frame_->adjustSize();
}

void FeedbackQuestionListView::OnTagClicked(size_t index, bool selected) {
  if (index >= items_.size() || !delegate_) return;
  // The delegate may replace the list from inside the call.
  const base::variant::Variant item = items_[index];
  delegate_->OnQuestionItemClicked(item, selected);
}

base::variant::Variant FeedbackQuestionListView::SelectedItems() const {
  base::variant::Variant out = base::variant::Variant::MakeArray();
  for (size_t i = 0; i < tags_.size(); ++i)
    if (tags_[i] && tags_[i]->isChecked()) out.Add(items_[i]);
  return out;
}

std::vector<QFPushButton*> FeedbackQuestionListView::tags() const {
  std::vector<QFPushButton*> out;
  for (const auto& tag : tags_)
    if (tag) out.push_back(tag);
  return out;
}
