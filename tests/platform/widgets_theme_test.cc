#include <set>
#include <string>

#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include <gtest/gtest.h>

#include "platform/widgets/qf_plain_label.h"
#include "platform/widgets/qf_push_button.h"
#include "platform/widgets/qf_widget.h"
#include "platform/widgets/theme_tables.h"
#include "tests/platform/widgets_test_support.h"

namespace {

using widgets_test::LightThemeAfter;
using widgets_test::PixelOf;
using widgets_test::Token;

std::set<std::string> TokensOf(const velmo_widgets::ThemeTable& table) {
  std::set<std::string> tokens;
  for (size_t i = 0; i < table.size; ++i) {
    EXPECT_TRUE(tokens.insert(table.colors[i].token).second)
        << table.name << " lists " << table.colors[i].token << " twice";
    EXPECT_TRUE(QColor(QLatin1String(table.colors[i].color)).isValid())
        << table.name << " " << table.colors[i].token;
  }
  return tokens;
}

TEST(ThemeTables, BothThemesListTheSameTokensOnceWithValidColours) {
  const auto light = TokensOf(velmo_widgets::LightThemeTable());
  const auto dark = TokensOf(velmo_widgets::DarkThemeTable());
  EXPECT_EQ(light, dark);
  // The tokens the pages and the kit name.
  for (const char* token :
       {"vl_color_background_quinary", "vl_color_background_secondary",
        "vl_color_background_senary", "vl_color_background_septenary",
        "vl_color_background_octonary", "vl_color_background_quaternary",
        "vl_color_background_tertiary", "vl_color_text_primary", "vl_color_text_secondary",
        "vl_color_text_tertiary", "vl_color_text_disabled", "vl_color_text_septenary",
        "vl_color_outline_secondary", "vl_color_outline_tertiary", "vl_color_focus_ring",
        "vl_color_shadow"}) {
    EXPECT_TRUE(light.count(token)) << token;
  }
}

TEST(ThemeTables, TokensResolveInEachThemeAndUnknownOnesStayVisible) {
  LightThemeAfter reset;
  auto* helper = QTUICustomThemeHelper::SharedInstance();
  const QString text = QStringLiteral(
      "QTextEdit{color:vl_color_text_primary;}QTextEdit[textEmpty=true]{color:vl_color_text_"
      "disabled;border:1px solid vl_color_no_such_token;}");
  for (const char* theme : {"light", "dark"}) {
    ASSERT_TRUE(QssSetter::SetTheme(theme));
    QStringList unknown;
    const QString resolved = helper->ResolveTokens(text, &unknown);
    EXPECT_TRUE(resolved.contains(QStringLiteral("color:") +
                                  Token("vl_color_text_primary").name() + ';'))
        << theme << ": " << resolved.toStdString();
    EXPECT_TRUE(resolved.contains(Token("vl_color_text_disabled").name())) << theme;
    EXPECT_FALSE(resolved.contains(QStringLiteral("vl_color_text_"))) << theme;
    EXPECT_TRUE(resolved.contains(QStringLiteral("vl_color_no_such_token"))) << theme;
    EXPECT_EQ(unknown, QStringList{QStringLiteral("vl_color_no_such_token")}) << theme;
  }
  const QString dark = helper->ResolveTokens("vl_color_text_primary");
  QssSetter::SetTheme("light");
  EXPECT_NE(helper->ResolveTokens("vl_color_text_primary"), dark);
  EXPECT_FALSE(Token("vl_color_no_such_token").isValid());
  EXPECT_FALSE(QssSetter::SetTheme("sepia"));
  EXPECT_EQ(QssSetter::CurrentTheme(), "light");
  // A translucent token becomes rgba(), which style sheets read.
  EXPECT_TRUE(helper->ResolveTokens("vl_color_shadow").startsWith(QStringLiteral("rgba(")));
}

TEST(QssSetterTest, GeneratesScopedRulesForEveryState) {
  QFWidget widget;
  QssSetter::SetStyle(&widget, "like_button",
                      QssStyle().Radius(6).Background("vl_color_background_septenary"),
                      QssStyle().Background("vl_color_background_octonary"),
                      QssStyle().Background("vl_color_background_octonary"),
                      QssStyle().Color("vl_color_text_disabled"));
  EXPECT_EQ(widget.objectName(), QStringLiteral("like_button"));
  const QString sheet = widget.styleSheet();
  const QString septenary = Token("vl_color_background_septenary").name();
  const QString octonary = Token("vl_color_background_octonary").name();
  EXPECT_TRUE(sheet.contains("#like_button{border-radius:6px;background-color:" + septenary))
      << sheet.toStdString();
  EXPECT_TRUE(sheet.contains("#like_button:hover{background-color:" + octonary));
  EXPECT_TRUE(sheet.contains("#like_button:pressed{background-color:" + octonary));
  EXPECT_TRUE(sheet.contains("#like_button:disabled{color:"));

  // Without an object name the rules are scoped by a property, never by a bare selector.
  QLabel unnamed;
  QssSetter::SetStyle(&unnamed, "", QssStyle().FontSize(14).Color("vl_color_text_secondary"));
  EXPECT_TRUE(unnamed.objectName().isEmpty());
  EXPECT_TRUE(unnamed.styleSheet().startsWith(QStringLiteral("*[vl_qss_scope=")))
      << unnamed.styleSheet().toStdString();

  // Padding arguments are left, top, right, bottom.
  EXPECT_EQ(QssStyle().Padding(6, 0, 2, 1).Declarations(),
            QStringLiteral("padding:0px 2px 1px 6px;"));
  EXPECT_EQ(QssStyle().Border(1, "vl_color_text_disabled", 1).Declarations(),
            QStringLiteral("border:1px solid vl_color_text_disabled;"));
}

TEST(QssSetterTest, ThemeSwitchRestylesLiveWidgetsAndForgetsDeadOnes) {
  LightThemeAfter reset;
  QFPlainLabel label;
  QssSetter::SetStyle(&label, "title", QssStyle().FontSize(16).Color("vl_color_text_primary"));
  auto* dead = new QLabel();
  QssSetter::SetStyle(dead, "gone", QssStyle().Color("vl_color_text_primary"));
  const int tracked = QssSetter::TrackedWidgetCount();
  delete dead;
  EXPECT_EQ(QssSetter::TrackedWidgetCount(), tracked - 1);

  label.ensurePolished();
  EXPECT_EQ(label.palette().color(QPalette::WindowText), Token("vl_color_text_primary"));
  const QColor light = Token("vl_color_text_primary");

  ASSERT_TRUE(QssSetter::SetTheme("dark"));
  label.ensurePolished();
  EXPECT_NE(Token("vl_color_text_primary"), light);
  EXPECT_EQ(label.palette().color(QPalette::WindowText), Token("vl_color_text_primary"));
  EXPECT_TRUE(label.styleSheet().contains(Token("vl_color_text_primary").name()));
  EXPECT_EQ(label.font().pixelSize(), 16);
}

TEST(QssSetterTest, LayersKeepRawTextBesideGeneratedRules) {
  LightThemeAfter reset;
  // A plain setStyleSheet before QssSetter stays, as the page's title label needs.
  QFPlainLabel title;
  title.setStyleSheet("font-weight:500;");
  QssSetter::SetStyle(&title, "", QssStyle().FontSize(16).Color("vl_color_text_primary"));
  title.ensurePolished();
  EXPECT_EQ(title.font().pixelSize(), 16);
  EXPECT_GT(title.font().weight(), QFont::Normal);
  EXPECT_EQ(title.palette().color(QPalette::WindowText), Token("vl_color_text_primary"));

  // A token in plain setStyleSheet text on a kit widget is resolved and follows the theme.
  QFWidget bar;
  bar.setStyleSheet("background:vl_color_background_secondary;border-top-right-radius: 6px;");
  bar.resize(40, 10);
  bar.ensurePolished();
  EXPECT_FALSE(bar.styleSheet().contains(QStringLiteral("vl_color_")))
      << bar.styleSheet().toStdString();
  EXPECT_EQ(PixelOf(&bar, {5, 5}), Token("vl_color_background_secondary"));
  QssSetter::SetTheme("dark");
  EXPECT_EQ(PixelOf(&bar, {5, 5}), Token("vl_color_background_secondary"));
}

TEST(QssSetterTest, ButtonTypesPaintTheirFillAndPageRulesOverrideOnlyWhatTheySet) {
  LightThemeAfter reset;
  struct Case {
    int type;
    const char* fill;
    const char* text;
  };
  const Case cases[] = {
      {QFPushButton::kButtonTypeSecondary, "vl_color_fill_secondary", "vl_color_text_primary"},
      {QFPushButton::kButtonTypePrimary, "vl_color_brand_primary", "vl_color_text_on_brand"},
  };
  for (const Case& c : cases) {
    for (const char* theme : {"light", "dark"}) {
      QssSetter::SetTheme(theme);
      QFPushButton button(QStringLiteral("ok"));
      button.SetButtonType(c.type);
      // The page's own rule on the object name (radius, font) keeps the type's colours.
      QssSetter::SetStyle(&button, "conform_button", QssStyle().Radius(6).FontSize(14),
                          QssStyle().Radius(6).FontSize(14), QssStyle().Radius(6).FontSize(14));
      button.resize(110, 32);
      button.ensurePolished();
      EXPECT_EQ(PixelOf(&button, {55, 4}), Token(c.fill)) << c.type << " " << theme;
      EXPECT_EQ(button.palette().color(QPalette::ButtonText), Token(c.text)) << c.type;
      EXPECT_EQ(button.ButtonType(), c.type);
    }
  }
  QFPushButton plain;
  plain.SetButtonType(7);
  EXPECT_EQ(plain.ButtonType(), QFPushButton::kButtonTypeNone);
}

}  // namespace
