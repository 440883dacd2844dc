// The feedback page as a user meets it: the real view over the real view model, driven with
// mouse and key events on the offscreen platform.
#include "after_meeting/feedback/after_meeting_feedback_view.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QTest>
#include <QTextCursor>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "after_meeting/container/container_contract.h"
#include "after_meeting/feedback/feedback_contract.h"
#include "platform/framework/localized_strings.h"
#include "platform/widgets/custom_text_edit.h"
#include "platform/widgets/qf_label.h"
#include "platform/widgets/qf_loading_push_button.h"
#include "platform/widgets/qf_plain_label.h"
#include "platform/widgets/qf_widget.h"
#include "tests/after_meeting/view_model_fixture.h"
#include "tests/platform/widgets_test_support.h"

namespace after_meeting::test {
namespace {

constexpr char kInfo[] = R"({"feedback": {"FeedbackState": {
    "title": "What went wrong?", "list": ["Echo", "Lag", "No sound"],
    "confirm": {"text": "Send", "report": "r_submit"}}}})";

using widgets_test::Spoken;
using widgets_test::Token;

class FeedbackView : public ViewModelTest {
 protected:
  void SetUp() override {
    ViewModelTest::SetUp();
    host_ = std::make_unique<QWidget>();
    new QVBoxLayout(host_.get());
    view_ = std::make_shared<AfterMeetingFeedbackView>();
    view_->SetViewModel(Build(kTypeAfterMeetingFeedbackViewModel));
    connect_ = QObject::connect(view_.get(), &AfterMeetingFeedbackView::NeedUpdateSize,
                                [this] { ++size_requests_; });
  }
  void TearDown() override {
    view_.reset();
    host_.reset();
    QssSetter::SetTheme("light");
    ViewModelTest::TearDown();
  }
  void BuildPage() {
    view_->BuildAndActivate({}, host_.get(), Variant(), Variant());
    host_->show();
    QApplication::setActiveWindow(host_.get());
  }

  template <class W>
  W* Find(const char* name) {
    W* w = host_->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  CustomTextEdit* Edit() { return Find<CustomTextEdit>("feedback_other_problems"); }
  QFPlainLabel* Counter() { return Find<QFPlainLabel>("feedback_text_counter"); }
  QFLoadingPushButton* Submit() { return Find<QFLoadingPushButton>("feedback_submit_btn"); }
  QFLabel* Back() { return Find<QFLabel>("feedback_back_icon"); }
  QList<QFPushButton*> Tags() {
    return host_->findChild<QWidget*>("feedback_question_list")->findChildren<QFPushButton*>();
  }
  QFPushButton* Tag(const QString& text) {
    for (QFPushButton* tag : Tags())
      if (tag->isVisible() && tag->text() == text) return tag;
    ADD_FAILURE() << "no tag " << text.toStdString();
    return nullptr;
  }
  std::vector<Variant> PageEvents() { return Fired(kEventSetCloseMeetingContainerPage); }

  std::unique_ptr<QWidget> host_;
  std::shared_ptr<AfterMeetingFeedbackView> view_;
  QMetaObject::Connection connect_;
  int size_requests_ = 0;
};

TEST_F(FeedbackView, BuildsTheDrawnTreeAndShowsDefaultsUntilThePageDataArrives) {
  BuildPage();
  QWidget* frame = view_->frame();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->objectName(), "feedback_ing_widget");
  EXPECT_EQ(frame->parentWidget(), host_.get());
  EXPECT_FALSE(Back()->pixmap(Qt::ReturnByValue).isNull());
  auto* title = Find<QFPlainLabel>("feedback_title");
  EXPECT_EQ(Counter()->property("label-style").toString(), "label__style--gray");
  EXPECT_EQ(Submit()->ButtonType(), 3);
  // The counter row sits over the bottom padding of the text box.
  EXPECT_GT(Counter()->geometry().top(), Edit()->geometry().top());
  EXPECT_LT(Counter()->geometry().bottom(), Edit()->geometry().bottom());

  // Before the view model's data: the page's own defaults, and a limit of 0.
  EXPECT_EQ(Counter()->text(), "0/100");
  EXPECT_EQ(Edit()->placeholderText(), "Please describe the problem you encountered (optional)");
  EXPECT_EQ(Submit()->text(), "submit");
  EXPECT_EQ(view_->length_limit(), 0);
  EXPECT_TRUE(Tags().isEmpty());

  SendFeedbackInfo(kInfo);
  EXPECT_EQ(title->text(), "What went wrong?");
  EXPECT_EQ(
      Edit()->placeholderText().toStdString(),
      framework::LocalizedStrings::Instance().Lookup(framework::StringTable::kHost, 2005758517u));
  EXPECT_FALSE(Edit()->placeholderText().isEmpty());
  EXPECT_EQ(Counter()->text(), "0/150");
  EXPECT_EQ(Submit()->text(), "Send");
  EXPECT_FALSE(Submit()->isEnabled());
  QStringList texts;
  for (QFPushButton* tag : Tags()) texts << tag->text();
  EXPECT_EQ(texts, (QStringList{"Echo", "Lag", "No sound"}));
  EXPECT_GE(size_requests_, 2);  // the tag list and the UI data each ask
}

TEST_F(FeedbackView, TagClicksAndTypingFollowTheViewModel) {
  BuildPage();
  SendFeedbackInfo(kInfo);
  rec_.Clear();

  QTest::mouseClick(Tag("Lag"), Qt::LeftButton);
  EXPECT_TRUE(Tag("Lag")->isChecked());
  EXPECT_TRUE(Submit()->isEnabled());
  EXPECT_TRUE(rec_.HasLog("id:Lag selected:true", true));
  QTest::mouseClick(Tag("Lag"), Qt::LeftButton);
  EXPECT_FALSE(Submit()->isEnabled());

  Edit()->setFocus();
  EXPECT_TRUE(Edit()->property("textEmpty").toBool());
  QTest::keyClicks(Edit(), "echo");
  EXPECT_EQ(Counter()->text(), "4/150");
  EXPECT_TRUE(Submit()->isEnabled());
  EXPECT_FALSE(Edit()->property("textEmpty").toBool());
  EXPECT_EQ(Edit()->palette().color(QPalette::Text), Token("vl_color_text_primary"));
  EXPECT_TRUE(rec_.HasLog("[aftermeeting_feedback] other_question:echo"));

  QTest::keyClick(Edit(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(Edit(), Qt::Key_Backspace);
  EXPECT_EQ(Counter()->text(), "0/150");
  EXPECT_FALSE(Submit()->isEnabled());
  EXPECT_TRUE(Edit()->property("textEmpty").toBool());
  EXPECT_EQ(Edit()->palette().color(QPalette::Text), Token("vl_color_text_disabled"));
}

TEST_F(FeedbackView, BuiltInTagsReportTheirIdNotTheirText) {
  SendFeedbackInfo(R"({"feedback": {"FeedbackState": {"confirm": {"text": "Send"}}}})");
  BuildPage();
  ASSERT_EQ(Tags().size(), 9);
  rec_.Clear();
  QTest::mouseClick(Tag("Audio was choppy or delayed"), Qt::LeftButton);
  EXPECT_TRUE(rec_.HasLog("id:audio_choppy selected:true", true));
  EXPECT_TRUE(Submit()->isEnabled());  // the view model counted the click under its id
}

TEST_F(FeedbackView, TextPastTheLimitIsCutAndReportedCut) {
  BuildPage();
  // No page data yet: the limit is 0, so nothing typed is kept.
  Edit()->setFocus();
  QTest::keyClicks(Edit(), "ab");
  EXPECT_EQ(Edit()->toPlainText(), "");
  EXPECT_EQ(Counter()->text(), "0/0");

  SendFeedbackInfo(kInfo);
  QTest::keyClicks(Edit(), QString(148, QLatin1Char('x')));
  EXPECT_EQ(Counter()->text(), "148/150");
  rec_.Clear();
  QApplication::clipboard()->setText(QString(52, QLatin1Char('y')));
  QTest::keyClick(Edit(), Qt::Key_V, Qt::ControlModifier);
  const QString kept = QString(148, QLatin1Char('x')) + "yy";
  EXPECT_EQ(Edit()->toPlainText(), kept);
  EXPECT_EQ(Counter()->text(), "150/150");
  EXPECT_EQ(Edit()->textCursor().position(), 150);
  EXPECT_FALSE(Edit()->textCursor().hasSelection());
  // The nested change and the outer one both hand the fitting text on.
  EXPECT_EQ(rec_.CountLog("[aftermeeting_feedback] other_question:" + kept.toStdString()), 2);
  QTest::keyClicks(Edit(), "z");
  EXPECT_EQ(Edit()->toPlainText(), kept);

  // A new limit: the counter shows the current text against it at once.
  view_->view_model()->SetPropValue(
      feedback::kPropFeedbackUiData,
      V(R"({"AfterMeetingFeedbackFeedbackStateUiDataFields_kIntegerOtherQuestionLengthLimit": 200})"));
  EXPECT_EQ(Counter()->text(), "150/200");

  // Submit: the report carries exactly the kept text.
  QTest::mouseClick(Submit(), Qt::LeftButton);
  auto reports = reports_->CallsOf(host::feedback_report::kCallReport);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].params.GetString("report"), "r_submit");
  EXPECT_EQ(reports[0].params.Get("data").GetString("other_problems"), kept.toStdString());
  ASSERT_FALSE(PageEvents().empty());
  EXPECT_EQ(PageEvents().back().AsInt32(), kPageConclusion);
}

TEST_F(FeedbackView, BackGoesToTheConclusionWithoutAReportAndCallbacksEndWithTheView) {
  BuildPage();
  SendFeedbackInfo(kInfo);
  QTest::mouseClick(Back(), Qt::LeftButton);
  ASSERT_EQ(PageEvents().size(), 1u);
  EXPECT_EQ(PageEvents()[0].AsInt32(), kPageConclusion);
  EXPECT_TRUE(reports_->CallsOf(host::feedback_report::kCallReport).empty());

  // The view goes while its widgets are still there (deleted later): they reach nothing.
  QPointer<QFLoadingPushButton> submit = Submit();
  QPointer<CustomTextEdit> edit = Edit();
  view_.reset();
  ASSERT_FALSE(submit.isNull());
  submit->setEnabled(true);
  submit->click();
  edit->setPlainText("late");
  EXPECT_EQ(PageEvents().size(), 1u);
  EXPECT_FALSE(rec_.HasLog("[aftermeeting_feedback] other_question:late"));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(submit.isNull());
}

TEST_F(FeedbackView, ControlsAreNamedInTheCurrentLanguage) {
  BuildPage();
  SendFeedbackInfo(kInfo);
  EXPECT_EQ(Spoken(Back()), "Back");
  EXPECT_EQ(Spoken(Edit()), "Other problems");
  EXPECT_EQ(Spoken(Counter()), "0 of 150 characters used");
  EXPECT_EQ(Spoken(Submit()), "Send");
  EXPECT_EQ(Spoken(Tag("Echo")), "Echo");
  EXPECT_EQ(Spoken(view_->frame()), "Meeting feedback");
  for (QWidget* w : std::initializer_list<QWidget*>{Back(), Edit(), Counter(), Submit(),
                                                    Tag("Echo"), view_->frame()})
    EXPECT_FALSE(Spoken(w, QAccessible::Description).isEmpty()) << w->objectName().toStdString();
  EXPECT_TRUE(Spoken(Edit(), QAccessible::Description).contains("150"));
  QTest::keyClicks(Edit(), "abc");
  EXPECT_EQ(Spoken(Counter()), "3 of 150 characters used");

  framework::LocalizedStrings::Instance().SetLanguage("de");
  EXPECT_EQ(Spoken(Back()), "Zurück");
  EXPECT_EQ(Spoken(Counter()), "3 von 150 Zeichen verwendet");
  EXPECT_TRUE(Spoken(Tag("Echo"), QAccessible::Description).startsWith("Ein mögliches"));
  framework::LocalizedStrings::Instance().SetLanguage("en");
  EXPECT_EQ(Spoken(Back()), "Back");
}

// Off-screen pictures of the page for review: empty, some tags chosen, text at the limit, in
// both themes.
TEST_F(FeedbackView, RendersInBothThemes) {
  BuildPage();
  SendFeedbackInfo(kInfo);
  const QString dir = QStringLiteral(VELMO_OUTPUT_DIR "/screenshots");
  ASSERT_TRUE(QDir().mkpath(dir));
  for (const char* theme : {"light", "dark"}) {
    QssSetter::SetTheme(theme);
    const QColor background = Token("vl_color_background_quaternary");
    QImage empty = view_->frame()->grab().toImage();
    EXPECT_EQ(empty.pixelColor(2, 2), background) << theme;
    EXPECT_TRUE(empty.save(dir + "/feedback_empty_" + theme + ".png"));

    QTest::mouseClick(Tag("Lag"), Qt::LeftButton);
    QTest::mouseClick(Tag("No sound"), Qt::LeftButton);
    QImage tags = view_->frame()->grab().toImage();
    EXPECT_NE(tags, empty) << theme;
    EXPECT_TRUE(tags.save(dir + "/feedback_tags_" + theme + ".png"));

    Edit()->setPlainText(QString(200, QLatin1Char('w')));
    EXPECT_EQ(Counter()->text(), "150/150");
    QImage full = view_->frame()->grab().toImage();
    EXPECT_TRUE(full.save(dir + "/feedback_limit_" + theme + ".png"));
    Edit()->clear();
    QTest::mouseClick(Tag("Lag"), Qt::LeftButton);
    QTest::mouseClick(Tag("No sound"), Qt::LeftButton);
  }
}

}  // namespace
}  // namespace after_meeting::test
