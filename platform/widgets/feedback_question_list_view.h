// FeedbackQuestionListView: the feedback page's problem tags, as checkable pills that wrap into
// rows at the frame's width. A click toggles a tag and tells the delegate the item and its new
// state; the view keeps the selection, the page decides what it means.
//
//   auto list = std::make_shared<FeedbackQuestionListView>();
//   list->BuildFromParams(nullptr, nullptr);  layout->addWidget(list->frame());
//   list->RegisterDelegate(this);  list->SetQuestionListData(tags);  // [{"id", "message"}, ...]
//
// Items are Variant maps with "id" (any kind, handed back untouched) and "message" (the tag's
// text); other entries are skipped. A tag wider than the frame is elided, with the full text as
// its tool tip and accessible name. Tags take Tab focus; Space or Enter toggles them. The frame
// belongs to the view: it is deleted with the view unless its parent deleted it first. The
// delegate must outlive its registration (RegisterDelegate(nullptr) ends it). UI thread only.
#pragma once

#include <memory>
#include <vector>

#include <QPointer>

#include "platform/base/variant.h"

class QFPushButton;
class QFWidget;
class QWidget;

class FeedbackQuestionListViewDelegate {
 public:
  virtual ~FeedbackQuestionListViewDelegate() = default;
  virtual void OnQuestionItemClicked(const base::variant::Variant& item, bool selected) = 0;
};

class FeedbackQuestionListView {
 public:
  static constexpr int kDefaultWidth = 354;
  static constexpr int kTagHeight = 28;
  static constexpr int kSpacing = 8;

  FeedbackQuestionListView();
  ~FeedbackQuestionListView();
  FeedbackQuestionListView(const FeedbackQuestionListView&) = delete;
  FeedbackQuestionListView& operator=(const FeedbackQuestionListView&) = delete;

  // Creates the frame (object name "feedback_question_list") as a child of parent, or without a
  // parent for the caller to place; building twice returns the same frame.
  QWidget* Build(QWidget* parent);
  // The view-base form: parent_view and params are not used; the frame has no parent.
  QWidget* BuildFromParams(std::shared_ptr<void> parent_view, const base::variant::Variant* params);
  QWidget* frame() const;

  // The width rows wrap at (kDefaultWidth until set); the frame keeps it fixed.
  void SetWidth(int width);

  // Replaces the tags with one per item of list (an array); every tag starts unselected.
  void SetQuestionListData(const base::variant::Variant& list);
  void RegisterDelegate(FeedbackQuestionListViewDelegate* delegate) { delegate_ = delegate; }

  // The items of the selected tags, in list order.
  base::variant::Variant SelectedItems() const;
  // The tags, in list order (for layout checks and the page's keyboard order).
  std::vector<QFPushButton*> tags() const;

 private:
  void OnTagClicked(size_t index, bool selected);
  void StyleTags();
  void FitTag(QFPushButton* tag, const QString& text) const;

  QPointer<QFWidget> frame_;
  int width_ = kDefaultWidth;
  bool tags_styled_ = false;
  std::vector<QPointer<QFPushButton>> tags_;
  std::vector<base::variant::Variant> items_;
  FeedbackQuestionListViewDelegate* delegate_ = nullptr;
};
