#include <memory>
#include <vector>

#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "platform/widgets/feedback_question_list_view.h"
#include "platform/widgets/qf_push_button.h"
#include "tests/platform/widgets_test_support.h"

namespace {

using base::variant::Variant;

Variant Tags(const std::vector<std::pair<Variant, std::string>>& items) {
  Variant list = Variant::MakeArray();
  for (const auto& [id, message] : items) {
    Variant item;
    item["id"] = id;
    item["message"] = message;
    list.Add(item);
  }
  return list;
}

class Recorder : public FeedbackQuestionListViewDelegate {
 public:
  void OnQuestionItemClicked(const Variant& item, bool selected) override {
    calls.push_back({item, selected});
    if (on_click) on_click();
  }
  std::vector<std::pair<Variant, bool>> calls;
  std::function<void()> on_click;
};

class FeedbackQuestionListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    page_.resize(400, 400);
    new QVBoxLayout(&page_);
    page_.layout()->addWidget(list_.BuildFromParams(nullptr, nullptr));
    page_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page_));
    list_.RegisterDelegate(&recorder_);
  }

  void ClickTag(size_t index) {
    QFPushButton* tag = list_.tags().at(index);
    QTest::mouseClick(tag, Qt::LeftButton, {}, tag->rect().center());
  }

  QWidget page_;
  FeedbackQuestionListView list_;
  Recorder recorder_;
};

TEST_F(FeedbackQuestionListViewTest, TagsWrapIntoRowsAtTheFrameWidth) {
  list_.SetQuestionListData(Tags({{1, "Audio cut out"},
                                  {2, "Video froze"},
                                  {3, "Could not share the screen"},
                                  {4, "Echo"},
                                  {5, "Others could not hear me"}}));
  page_.layout()->activate();
  QWidget* frame = list_.frame();
  EXPECT_EQ(frame->width(), FeedbackQuestionListView::kDefaultWidth);
  const auto tags = list_.tags();
  ASSERT_EQ(tags.size(), 5u);
  int rows = 1;
  for (size_t i = 1; i < tags.size(); ++i) {
    const QRect r = tags[i]->geometry();
    const QRect prev = tags[i - 1]->geometry();
    EXPECT_LE(r.right(), frame->width() - 1) << i;
    if (r.y() == prev.y()) {
      EXPECT_EQ(r.x(), prev.right() + 1 + FeedbackQuestionListView::kSpacing) << i;
      continue;
    }
    // A new row, because the tag would not have fitted beside the last one.
    ++rows;
    EXPECT_EQ(r.topLeft(), QPoint(0, prev.bottom() + 1 + FeedbackQuestionListView::kSpacing));
    EXPECT_GT(prev.right() + FeedbackQuestionListView::kSpacing + r.width(), frame->width());
  }
  EXPECT_GE(rows, 2);
  EXPECT_EQ(frame->height(), tags.back()->geometry().bottom() + 1);
}

TEST_F(FeedbackQuestionListViewTest, ClickTogglesTagAndReportsItemAndState) {
  list_.SetQuestionListData(
      Tags({{Variant(uint64_t{7001}), "Audio cut out"}, {"v2", "Video froze"}}));
  ClickTag(0);
  ClickTag(1);
  ClickTag(0);
  ASSERT_EQ(recorder_.calls.size(), 3u);
  EXPECT_EQ(recorder_.calls[0].first.Get("id"), Variant(uint64_t{7001}));
  EXPECT_EQ(recorder_.calls[0].first.GetString("message"), "Audio cut out");
  EXPECT_TRUE(recorder_.calls[0].second);
  EXPECT_EQ(recorder_.calls[1].first.Get("id"), Variant("v2"));
  EXPECT_TRUE(recorder_.calls[1].second);
  EXPECT_FALSE(recorder_.calls[2].second);
  EXPECT_EQ(list_.SelectedItems().Size(), 1u);
  EXPECT_EQ(list_.SelectedItems().At(0).Get("id"), Variant("v2"));

  // Checked tags wear the selected fill.
  const auto fill = [](QWidget* tag) { return widgets_test::PixelOf(tag, {tag->width() / 2, 3}); };
  EXPECT_EQ(fill(list_.tags()[1]), widgets_test::Token("vl_color_brand_light"));
  EXPECT_EQ(fill(list_.tags()[0]), widgets_test::Token("vl_color_background_tertiary"));

  list_.RegisterDelegate(nullptr);
  ClickTag(1);
  EXPECT_EQ(recorder_.calls.size(), 3u);
}

TEST_F(FeedbackQuestionListViewTest, NewDataReplacesTagsAndSelectionEvenFromInsideAClick) {
  list_.SetQuestionListData(Tags({{1, "Echo"}, {2, "Noise"}}));
  ClickTag(0);
  // The page answers a click by publishing a new list.
  recorder_.on_click = [&] {
    list_.SetQuestionListData(Tags({{3, "Lag"}, {4, "Blur"}, {5, "Mute"}}));
  };
  ClickTag(1);
  recorder_.on_click = nullptr;
  EXPECT_EQ(recorder_.calls.back().first.Get("id"), Variant(2));
  ASSERT_EQ(list_.tags().size(), 3u);
  EXPECT_EQ(list_.SelectedItems().Size(), 0u);
  EXPECT_EQ(list_.tags()[0]->text(), QStringLiteral("Lag"));

  // Items without a text are skipped; a list that is not an array clears the tags.
  Variant mixed = Tags({{8, "Kept"}});
  mixed.Add(Variant("not a map"));
  Variant no_message;
  no_message["id"] = 9;
  mixed.Add(no_message);
  list_.SetQuestionListData(mixed);
  EXPECT_EQ(list_.tags().size(), 1u);
  list_.SetQuestionListData(Variant("nope"));
  EXPECT_TRUE(list_.tags().empty());
}

TEST(FeedbackQuestionListViewLifetime, FrameGoesWithTheViewAndViewSurvivesItsFrame) {
  QWidget page;
  auto list = std::make_unique<FeedbackQuestionListView>();
  QPointer<QWidget> frame = list->Build(&page);
  list.reset();
  EXPECT_TRUE(frame.isNull());

  list = std::make_unique<FeedbackQuestionListView>();
  delete list->Build(&page);
  list->SetQuestionListData(Tags({{1, "Echo"}}));  // builds a fresh frame rather than crash
  EXPECT_EQ(list->tags().size(), 1u);
}

}  // namespace

namespace {

// Built without a parent, as a page builds it, the frame takes the tags' look once placed, not
// before (a placed frame with its own sheet would be polished twice); never placed, with its
// first tags. Either way the tags wear it.
TEST(FeedbackQuestionListViewStyle, FrameTakesTheTagsLookOncePlacedOrWithItsFirstTags) {
  FeedbackQuestionListView placed;
  QWidget* frame = placed.BuildFromParams(nullptr, nullptr);
  EXPECT_TRUE(frame->styleSheet().isEmpty());
  QWidget page;
  (new QVBoxLayout(&page))->addWidget(frame);
  EXPECT_TRUE(frame->styleSheet().contains("QFPushButton")) << frame->styleSheet().toStdString();

  FeedbackQuestionListView loose;
  loose.BuildFromParams(nullptr, nullptr);
  loose.SetQuestionListData(Tags({{1, "Echo"}}));
  EXPECT_EQ(loose.frame()->styleSheet(), frame->styleSheet());
  QFPushButton* tag = loose.tags().at(0);
  tag->ensurePolished();
  EXPECT_EQ(tag->font().pixelSize(), 14);
}

}  // namespace
