#include <QApplication>
#include <QClipboard>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/widgets/custom_text_edit.h"
#include "tests/platform/widgets_test_support.h"

namespace {

TEST(CustomTextEditTest, LimitCutsPastedAndTypedTextOnlyWhenSet) {
  struct Case {
    int limit;
    QString before;
    int select_from;  // -1: no selection, cursor at the end
    QString pasted;
    QString want;
  };
  const QString x200(200, QLatin1Char('x'));
  const Case cases[] = {
      {150, "", -1, x200, QString(150, QLatin1Char('x'))},
      {10, "abc", -1, "0123456789", "abc0123456"},
      {10, "abcdefghij", 5, "XYZ", "abcdeXYZ"},  // pasting over a selection frees its room
      {0, "", -1, x200, x200},                   // 0: no limit, the page trims
      {4, "ab", -1, QString::fromUtf8("c\xF0\x9F\x98\x80"), "abc"},  // no half characters
  };
  for (const Case& c : cases) {
    CustomTextEdit edit;
    edit.SetMaxLength(c.limit);
    edit.setPlainText(c.before);
    QTextCursor cursor = edit.textCursor();
    cursor.movePosition(QTextCursor::End);
    if (c.select_from >= 0) cursor.setPosition(c.select_from, QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
    QApplication::clipboard()->setText(c.pasted);
    edit.paste();
    EXPECT_EQ(edit.toPlainText(), c.want) << c.limit << " " << c.before.toStdString();
  }

  CustomTextEdit edit;
  edit.SetMaxLength(3);
  edit.show();
  QTest::keyClicks(&edit, "abcdef");
  QTest::keyClick(&edit, Qt::Key_Return);
  EXPECT_EQ(edit.toPlainText(), QStringLiteral("abc"));
  QTest::keyClick(&edit, Qt::Key_Backspace);  // editing keys still work at the limit
  QTest::keyClicks(&edit, "z");
  EXPECT_EQ(edit.toPlainText(), QStringLiteral("abz"));
  EXPECT_FALSE(edit.acceptRichText());
}

TEST(CustomTextEditTest, PlaceholderColourFollowsTokenThroughStyleSheetsAndThemes) {
  widgets_test::LightThemeAfter reset;
  CustomTextEdit edit;
  edit.setPlaceholderText(QStringLiteral("Please describe the problem"));
  edit.SetPlaceHolderColorToken("vl_color_text_disabled");
  edit.setStyleSheet(
      "QTextEdit{background:vl_color_background_tertiary;color:vl_color_text_primary;}"
      "QTextEdit[textEmpty=true]{color:vl_color_text_disabled;}");
  edit.ensurePolished();
  EXPECT_FALSE(edit.styleSheet().contains(QStringLiteral("vl_color_")));
  EXPECT_EQ(edit.palette().color(QPalette::PlaceholderText),
            widgets_test::Token("vl_color_text_disabled"));
  EXPECT_EQ(edit.palette().color(QPalette::Text), widgets_test::Token("vl_color_text_primary"));

  QssSetter::SetTheme("dark");
  edit.ensurePolished();
  EXPECT_EQ(edit.palette().color(QPalette::PlaceholderText),
            widgets_test::Token("vl_color_text_disabled"));
  EXPECT_EQ(edit.palette().color(QPalette::Text), widgets_test::Token("vl_color_text_primary"));

  // The dynamic-property rule the feedback page toggles applies after a re-polish.
  edit.setProperty("textEmpty", true);
  edit.style()->polish(&edit);
  EXPECT_EQ(edit.palette().color(QPalette::Text), widgets_test::Token("vl_color_text_disabled"));
}

}  // namespace
