#include <QFontMetrics>

#include <gtest/gtest.h>

#include "platform/widgets/qf_label.h"
#include "tests/platform/widgets_test_support.h"

namespace {

using widgets_test::Spoken;

const QString kTitle = QStringLiteral("Quarterly planning review with the regional sales teams");

TEST(QFLabelTest, ElidesToItsWidthAndReElidesOnResize) {
  QFLabel label;
  label.resize(120, 20);
  label.show();  // resize events reach shown widgets only
  label.SetElideText(kTitle, Qt::ElideRight);
  const QFontMetrics metrics = label.fontMetrics();

  EXPECT_TRUE(label.IsElided());
  EXPECT_TRUE(label.text().endsWith(QChar(0x2026))) << label.text().toStdString();
  EXPECT_TRUE(kTitle.startsWith(label.text().chopped(1)));
  EXPECT_LE(metrics.horizontalAdvance(label.text()), 120);
  EXPECT_EQ(label.toolTip(), kTitle);
  EXPECT_EQ(Spoken(&label), kTitle);
  EXPECT_EQ(label.FullText(), kTitle);
  const QString narrow = label.text();

  label.resize(240, 20);
  EXPECT_GT(label.text().size(), narrow.size());
  EXPECT_LE(metrics.horizontalAdvance(label.text()), 240);

  // Wide enough: the whole text, and the tool tip it set goes away.
  label.resize(metrics.horizontalAdvance(kTitle) + 10, 20);
  EXPECT_EQ(label.text(), kTitle);
  EXPECT_FALSE(label.IsElided());
  EXPECT_TRUE(label.toolTip().isEmpty());
  EXPECT_EQ(Spoken(&label), kTitle);

  // A fixed width that the label has not been resized to yet is taken by AdjustElideContent.
  label.setFixedWidth(100);
  label.AdjustElideContent();
  EXPECT_LE(metrics.horizontalAdvance(label.text()), 100);
}

TEST(QFLabelTest, GivenItsSizeHintTheWholeTextShows) {
  // Texts whose width in the font is not a whole number of pixels among them.
  const QString texts[] = {"How was it?",
                           "How was this meeting?",
                           "Good",
                           "Not good",
                           "Keep using it in the sidebar",
                           "iiiiiii",
                           "W",
                           kTitle};
  for (int px : {12, 13, 14, 16}) {
    QFLabel label;
    label.setStyleSheet(QStringLiteral("font-size:%1px;").arg(px));
    label.show();
    for (const QString& text : texts) {
      label.SetElideText(text, Qt::ElideRight);
      label.resize(label.sizeHint());
      label.AdjustElideContent();
      EXPECT_FALSE(label.IsElided())
          << px << "px " << text.toStdString() << " in " << label.width();
    }
  }
}

TEST(QFLabelTest, ReElidesWhenAStyleSheetChangesItsFont) {
  // A style sheet's font reaches the label after its text: the text is elided again.
  QFLabel styled;
  styled.resize(150, 20);
  styled.SetElideText(kTitle, Qt::ElideRight);
  QssSetter::SetStyle(&styled, "", QssStyle().FontSize(20));
  styled.ensurePolished();
  EXPECT_LE(QFontMetrics(styled.font()).horizontalAdvance(styled.text()), 150);

  // A text that fitted in the old font no longer fits in the larger one.
  QFLabel grown;
  const QString text = QStringLiteral("Keep using it");
  grown.resize(grown.fontMetrics().horizontalAdvance(text) + 2, 20);
  grown.SetElideText(text, Qt::ElideRight);
  ASSERT_FALSE(grown.IsElided());
  QssSetter::SetStyle(&grown, "", QssStyle().FontSize(24));
  grown.ensurePolished();
  EXPECT_TRUE(grown.IsElided()) << grown.text().toStdString();
  EXPECT_GT(grown.sizeHint().width(), grown.width());

  // Modes are Qt's: 0 cuts on the left.
  QFLabel left;
  left.resize(150, 20);
  left.SetElideText(kTitle, 0);
  EXPECT_TRUE(left.text().startsWith(QChar(0x2026)));
}

TEST(QFLabelTest, PageToolTipSurvivesAndSetTextEndsElision) {
  QFLabel label;
  label.resize(400, 20);
  label.show();
  label.setToolTip(QStringLiteral("set by the page"));
  label.SetElideText(QStringLiteral("short"), Qt::ElideRight);
  EXPECT_EQ(label.toolTip(), QStringLiteral("set by the page"));

  label.resize(60, 20);
  label.SetText(kTitle);
  EXPECT_EQ(label.text(), kTitle);
  EXPECT_EQ(Spoken(&label), kTitle);
  label.resize(50, 20);
  EXPECT_EQ(label.text(), kTitle);

  // A plain QLabel::setText on an eliding label wins: no re-elision of the old text, and the
  // notes the cut left behind go.
  QFLabel eliding;
  eliding.resize(80, 20);
  eliding.show();
  eliding.SetElideText(kTitle, Qt::ElideRight);
  ASSERT_TRUE(eliding.IsElided());
  eliding.setText(QStringLiteral("Plain"));
  eliding.resize(70, 20);
  EXPECT_EQ(eliding.text(), QStringLiteral("Plain"));
  EXPECT_EQ(eliding.FullText(), QStringLiteral("Plain"));
  EXPECT_TRUE(eliding.toolTip().isEmpty());
  EXPECT_EQ(Spoken(&eliding), QStringLiteral("Plain"));
}

}  // namespace
