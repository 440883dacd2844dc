#include <set>
#include <string>
#include <vector>

#include <QApplication>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include "platform/widgets/qf_label.h"
#include "platform/widgets/qf_plain_label.h"
#include "platform/widgets/qf_push_button.h"
#include "platform/widgets/qf_widget.h"
#include "platform/widgets/theme_tables.h"
#include "tests/platform/widgets_test_support.h"

namespace {

using widgets_test::LightThemeAfter;
using widgets_test::PixelOf;
using widgets_test::Token;

TEST(ThemeTables, ListTheSameTokensOnceWithValidColoursAndResolveThem) {
  LightThemeAfter reset;
  std::set<std::string> tokens[2];
  const velmo_widgets::ThemeTable* tables[] = {&velmo_widgets::LightThemeTable(),
                                               &velmo_widgets::DarkThemeTable()};
  for (int t = 0; t < 2; ++t) {
    for (size_t i = 0; i < tables[t]->size; ++i) {
      const auto& [token, color] = tables[t]->colors[i];
      EXPECT_TRUE(tokens[t].insert(token).second) << tables[t]->name << " repeats " << token;
      EXPECT_TRUE(QColor(QLatin1String(color)).isValid()) << tables[t]->name << " " << token;
    }
  }
  EXPECT_EQ(tokens[0], tokens[1]);
  EXPECT_TRUE(tokens[0].count("vl_color_focus_ring"));

  // Both themes resolve a page's text; a misspelt token stays in it, visibly.
  const QString text = QStringLiteral(
      "QTextEdit{color:vl_color_text_primary;}QTextEdit[textEmpty=true]{color:vl_color_text_"
      "disabled;border:1px solid vl_color_no_such_token;}");
  QString previous;
  for (const char* theme : {"light", "dark"}) {
    ASSERT_TRUE(QssSetter::SetTheme(theme));
    QStringList unknown;
    const QString resolved = QTUICustomThemeHelper::SharedInstance()->ResolveTokens(text, &unknown);
    EXPECT_TRUE(resolved.contains("color:" + Token("vl_color_text_primary").name() + ';'))
        << theme << ": " << resolved.toStdString();
    EXPECT_TRUE(resolved.contains(Token("vl_color_text_disabled").name())) << theme;
    EXPECT_EQ(unknown, QStringList{"vl_color_no_such_token"}) << theme;
    EXPECT_TRUE(resolved.contains("vl_color_no_such_token")) << theme;
    EXPECT_NE(resolved, previous);
    previous = resolved;
  }
  EXPECT_FALSE(Token("vl_color_no_such_token").isValid());
  EXPECT_FALSE(QssSetter::SetTheme("sepia"));
  EXPECT_EQ(QssSetter::CurrentTheme(), "dark");
}

TEST(QssSetterTest, GeneratesScopedRulesForEveryState) {
  QFWidget widget;
  QssSetter::SetStyle(&widget, "like_button",
                      QssStyle().Radius(6).Background("vl_color_background_septenary"),
                      QssStyle().Background("vl_color_background_octonary"),
                      QssStyle().Background("vl_color_background_octonary"),
                      QssStyle().Color("vl_color_text_disabled"));
  EXPECT_EQ(widget.objectName(), "like_button");
  const QString sheet = widget.styleSheet();
  const QString octonary = Token("vl_color_background_octonary").name();
  EXPECT_TRUE(sheet.contains("#like_button{border-radius:6px;background-color:" +
                             Token("vl_color_background_septenary").name()))
      << sheet.toStdString();
  EXPECT_TRUE(sheet.contains("#like_button:hover{background-color:" + octonary));
  EXPECT_TRUE(sheet.contains("#like_button:pressed{background-color:" + octonary));
  EXPECT_TRUE(sheet.contains("#like_button:disabled{color:"));

  // Without an object name the rules are scoped by a property, never by a bare selector.
  QLabel unnamed;
  QssSetter::SetStyle(&unnamed, "", QssStyle().FontSize(14).Padding(2, 2, 2, 2));
  EXPECT_TRUE(unnamed.styleSheet().startsWith("*[vl_qss_scope="))
      << unnamed.styleSheet().toStdString();
  // A kit label declares the property: no dynamic one, and the rules still reach it.
  QFLabel kit;
  QssSetter::SetStyle(&kit, "", QssStyle().FontSize(17).Padding(2, 2, 2, 2));
  EXPECT_TRUE(kit.dynamicPropertyNames().isEmpty());
  EXPECT_GT(kit.property("vl_qss_scope").toInt(), 0);
  kit.ensurePolished();
  EXPECT_EQ(kit.font().pixelSize(), 17);
}

TEST(QssStyleTest, ALaterValueReplacesTheEarlierInPlaceAndNamesMatchWhole) {
  QssStyle style;
  style.Border(1, "vl_color_outline_primary")
      .Radius(6)
      .Set("border", "none")
      .FontSize(14)
      .Radius(8);
  EXPECT_EQ(style.Declarations(), "border:none;border-radius:8px;font-size:14px;");
  EXPECT_EQ(style.DeclarationsSize(), style.Declarations().size());
  // "border" is not "border-radius", nor "font" "font-size".
  EXPECT_EQ(
      QssStyle().Radius(4).FontSize(12).Set("border", "none").Set("font", "bold").Declarations(),
      "border-radius:4px;font-size:12px;border:none;font:bold;");
  EXPECT_EQ(QssStyle().Padding(16, 2, 8, 4).Declarations(), "padding:2px 8px 4px 16px;");
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

  const QColor light = Token("vl_color_text_primary");
  label.ensurePolished();
  EXPECT_EQ(label.palette().color(QPalette::WindowText), light);
  ASSERT_TRUE(QssSetter::SetTheme("dark"));
  label.ensurePolished();
  EXPECT_NE(Token("vl_color_text_primary"), light);
  EXPECT_EQ(label.palette().color(QPalette::WindowText), Token("vl_color_text_primary"));
  EXPECT_EQ(label.font().pixelSize(), 16);
}

// The colours a widget's text is drawn in, in every colour group. (Its background is painted,
// not given through the palette, so the other roles are left as they were.)
std::vector<QColor> TextColours(const QWidget* widget) {
  std::vector<QColor> colours;
  for (int group = 0; group < QPalette::NColorGroups; ++group)
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                                     QPalette::PlaceholderText, widget->foregroundRole()})
      colours.push_back(widget->palette().color(QPalette::ColorGroup(group), role));
  return colours;
}

// A widget's picture, its children included, in one pixel format whatever its grab came in.
QImage Pixels(QWidget* widget) {
  return widget->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

// A style that only sets how text looks and a fill is given without a sheet, and must look
// exactly as its rules would: the same font, text colours, minimum height and pixels.
TEST(QssSetterTest, SimpleLooksWithoutASheetLookExactlyAsTheirRules) {
  LightThemeAfter reset;
  const QssStyle looks[] = {
      QssStyle().FontSize(14).FontWeight(450).LineHeight(18).Color("vl_color_text_secondary"),
      QssStyle().FontSize(16).FontWeight(500).Color("vl_color_text_primary"),
      QssStyle().FontWeight(700).LineHeight(20),
      QssStyle().Background("transparent").Color("vl_color_text_disabled").FontSize(12),
      QssStyle().Background("transparent"),
      QssStyle().Background("vl_color_outline_tertiary"),
  };
  // In a tree a sheet styles (a rounded frame) and in a plain one.
  for (const bool styled_tree : {true, false})
    for (const QssStyle& look : looks) {
      SCOPED_TRACE(look.Declarations().toStdString() + (styled_tree ? " styled" : " plain"));
      QFWidget frame;
      QssStyle frame_style = QssStyle().Background("vl_color_background_quaternary");
      if (styled_tree) frame_style.Radius(6);
      QssSetter::SetStyle(&frame, "frame", frame_style);
      auto* native = new QFLabel(&frame);
      auto* ruled = new QFLabel(&frame);
      auto* button = new QFPushButton(&frame);  // its text takes the button-text role
      auto* ruled_button = new QFPushButton(&frame);
      for (QLabel* label : {native, ruled}) label->setText("Meeting summary");
      for (QPushButton* b : {button, ruled_button}) b->setText("Done");
      QssSetter::SetStyle(native, "native", look);
      QssSetter::SetStyle(button, "button", look);
      EXPECT_TRUE(native->styleSheet().isEmpty()) << native->styleSheet().toStdString();
      // A button's rule with a background paints the whole face, and outside a styled tree a
      // button's font and palette would reach anything put in it: both stay sheets.
      const bool background = look.DeclarationText().find("background") != std::string::npos;
      EXPECT_EQ(button->styleSheet().isEmpty(), !background && styled_tree);
      const auto rules = [&](const char* selector) {
        QssStateStyles states;
        states.normal = look;
        return QTUICustomThemeHelper::SharedInstance()->ResolveTokens(
            QssSetter::ComposeRules(selector, states));
      };
      ruled->setObjectName("ruled");
      ruled->setStyleSheet(rules("#ruled"));
      ruled_button->setObjectName("ruled_button");
      ruled_button->setStyleSheet(rules("#ruled_button"));
      frame.ensurePolished();
      for (QWidget* w : std::initializer_list<QWidget*>{native, ruled, button, ruled_button})
        w->ensurePolished();
      EXPECT_EQ(native->font(), ruled->font());
      EXPECT_EQ(native->font().weight(), ruled->font().weight());
      EXPECT_EQ(TextColours(native), TextColours(ruled));
      EXPECT_EQ(TextColours(button), TextColours(ruled_button));
      EXPECT_EQ(native->minimumHeight(), ruled->minimumHeight());
      EXPECT_EQ(native->sizeHint(), ruled->sizeHint());
      native->setGeometry(0, 0, 120, 30);
      ruled->setGeometry(0, 30, 120, 30);
      button->setGeometry(120, 0, 120, 30);
      ruled_button->setGeometry(120, 30, 120, 30);
      frame.resize(240, 60);
      const QImage shown = Pixels(&frame);
      EXPECT_EQ(shown.copy(native->geometry()), shown.copy(ruled->geometry()));
      EXPECT_EQ(shown.copy(button->geometry()), shown.copy(ruled_button->geometry()));
    }

  // A background of one colour fills a container and a separator line as its rule paints them,
  // and leaves the container's children their own palette.
  for (const char* token : {"vl_color_background_quinary", "vl_color_outline_tertiary"}) {
    SCOPED_TRACE(token);
    QWidget frame;
    QssSetter::SetStyle(&frame, "frame", QssStyle().Background("vl_color_background_quaternary"));
    frame.resize(100, 40);
    auto* native = new QFWidget(&frame);
    auto* ruled = new QFWidget(&frame);
    auto* line = new QFrame(&frame);
    auto* ruled_line = new QFrame(&frame);
    auto* child = new QLabel("In it", native);
    auto* ruled_child = new QLabel("In it", ruled);
    QssSetter::SetStyle(native, "native", QssStyle().Background(token));
    QssSetter::SetStyle(line, "", QssStyle().Background(token));
    EXPECT_TRUE(native->styleSheet().isEmpty() && line->styleSheet().isEmpty());
    const QString rule = QTUICustomThemeHelper::SharedInstance()->ResolveTokens(
        QStringLiteral("{background-color:%1;}").arg(token));
    ruled->setObjectName("ruled");
    ruled->setStyleSheet("#ruled" + rule);
    ruled_line->setObjectName("ruled_line");
    ruled_line->setStyleSheet("#ruled_line" + rule);
    native->setGeometry(0, 0, 60, 20);
    ruled->setGeometry(0, 20, 60, 20);
    line->setGeometry(60, 0, 40, 1);
    ruled_line->setGeometry(60, 20, 40, 1);
    frame.show();
    // As the window shows them: a widget's own grab fills its background whatever it paints.
    const QImage shown = Pixels(&frame);
    EXPECT_EQ(shown.copy(native->geometry()), shown.copy(ruled->geometry()));
    EXPECT_EQ(shown.copy(line->geometry()), shown.copy(ruled_line->geometry()));
    EXPECT_EQ(shown.pixelColor(30, 10), Token(token));
    for (int g = 0; g < QPalette::NColorGroups; ++g)
      for (int r = 0; r < QPalette::NColorRoles; ++r)
        EXPECT_EQ(child->palette().color(QPalette::ColorGroup(g), QPalette::ColorRole(r)),
                  ruled_child->palette().color(QPalette::ColorGroup(g), QPalette::ColorRole(r)))
            << g << " " << r;
  }
  // A radius takes a sheet, even 0px: in a button's rule it has the sheet paint the button's face.
  QWidget frame;
  QssSetter::SetStyle(&frame, "frame", QssStyle().Background("vl_color_background_quaternary"));
  auto* rounded = new QFPushButton(&frame);
  QssSetter::SetStyle(rounded, "", QssStyle().FontSize(14).Radius(0));
  EXPECT_TRUE(rounded->styleSheet().contains("border-radius:0px"));
}

// A native look follows the theme even when its frame (rounded, so it keeps a sheet) is restyled
// afterwards, and gives the widget back its own font, palette and height once a style needs a
// sheet.
TEST(QssSetterTest, NativeLookFollowsTheThemeAndStepsAsideForASheet) {
  LightThemeAfter reset;
  QFWidget frame;
  frame.setObjectName("frame");
  QssSetter::SetStyle(&frame, "frame",
                      QssStyle().Radius(6).Background("vl_color_background_quaternary"));
  auto* label = new QFLabel(&frame);
  const int natural_px = QFontInfo(label->font()).pixelSize();
  QssSetter::SetStyle(label, "",
                      QssStyle().FontSize(19).LineHeight(30).Color("vl_color_text_primary"));
  frame.show();
  const QColor light = Token("vl_color_text_primary");
  EXPECT_EQ(label->palette().color(QPalette::WindowText), light);
  ASSERT_TRUE(QssSetter::SetTheme("dark"));
  QssSetter::SetStyle(&frame, "frame",
                      QssStyle().Radius(6).Background("vl_color_background_secondary"));
  ASSERT_NE(Token("vl_color_text_primary"), light);
  EXPECT_EQ(label->palette().color(QPalette::WindowText), Token("vl_color_text_primary"));
  EXPECT_EQ(label->font().pixelSize(), 19);
  EXPECT_EQ(label->minimumHeight(), 30);

  // A padding needs a sheet: the label's own font and height come back, the colour is the rule's.
  QssSetter::SetStyle(label, "", QssStyle().Padding(1, 1, 1, 1).Color("vl_color_text_secondary"));
  EXPECT_TRUE(label->styleSheet().contains("padding:1px"));
  EXPECT_EQ(QFontInfo(label->font()).pixelSize(), natural_px);
  EXPECT_EQ(label->minimumHeight(), 0);
  EXPECT_EQ(label->palette().color(QPalette::WindowText), Token("vl_color_text_secondary"));

  // An unknown token stays visible in a sheet, as in any other rule.
  QssSetter::SetStyle(label, "", QssStyle().Color("vl_color_no_such_token"));
  EXPECT_TRUE(label->styleSheet().contains("vl_color_no_such_token"));

  // A rule from above that can reach the label (a kit's, a raw text's, the application's) would
  // win over a palette, where the label's own sheet wins over it: the look stays a sheet there.
  QFWidget outer;
  outer.setStyleSheet("QLabel{color:#ff0000;font-size:30px;}");
  auto* inner = new QFWidget(&outer);
  QssSetter::SetStyle(inner, "inner", QssStyle().Background("vl_color_background_secondary"));
  auto* reached = new QFLabel("Reached", inner);
  QssSetter::SetStyle(reached, "reached", QssStyle().FontSize(13).Color("vl_color_text_primary"));
  EXPECT_FALSE(reached->styleSheet().isEmpty());
  outer.show();
  EXPECT_EQ(reached->palette().color(QPalette::WindowText), Token("vl_color_text_primary"));
  EXPECT_EQ(reached->font().pixelSize(), 13);
  {
    qApp->setStyleSheet("QLabel{font-size:30px;}");
    QFWidget styled;
    QssSetter::SetStyle(&styled, "styled", QssStyle().Background("vl_color_background_secondary"));
    auto* under_app = new QFLabel("Under the application's sheet", &styled);
    QssSetter::SetStyle(under_app, "", QssStyle().FontSize(13));
    EXPECT_FALSE(under_app->styleSheet().isEmpty());
    styled.show();
    EXPECT_EQ(under_app->font().pixelSize(), 13);
    qApp->setStyleSheet(QString());
  }

  // A fill is painted, not handed down through the palette: a plain button inside keeps its face.
  QWidget loose;
  auto* button = new QPushButton("Done", &loose);
  const QColor face = button->palette().color(QPalette::Button);
  QssSetter::SetStyle(&loose, "loose", QssStyle().Background("vl_color_background_secondary"));
  EXPECT_TRUE(loose.styleSheet().isEmpty());
  loose.resize(120, 60);
  button->setGeometry(0, 0, 60, 30);
  loose.show();
  EXPECT_EQ(button->palette().color(QPalette::Button), face);
  EXPECT_EQ(Pixels(&loose).pixelColor(100, 50), Token("vl_color_background_secondary"));
  // A text look on a container outside a styled tree would reach its children: a sheet there.
  QssSetter::SetStyle(&loose, "loose", QssStyle().Color("vl_color_text_secondary"));
  EXPECT_FALSE(loose.styleSheet().isEmpty());
  EXPECT_NE(button->palette().color(QPalette::ButtonText), Token("vl_color_text_secondary"));
}

TEST(QssSetterTest, LayersKeepRawTextBesideGeneratedRules) {
  LightThemeAfter reset;
  // A plain setStyleSheet before QssSetter stays, as the feedback page's title needs.
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
  EXPECT_EQ(PixelOf(&bar, {5, 5}), Token("vl_color_background_secondary"));
  QssSetter::SetTheme("dark");
  EXPECT_EQ(PixelOf(&bar, {5, 5}), Token("vl_color_background_secondary"));
  // Set again once the bar is polished, it is taken in on the style change.
  bar.setStyleSheet("background:vl_color_background_quaternary;");
  EXPECT_EQ(PixelOf(&bar, {5, 5}), Token("vl_color_background_quaternary"));
}

TEST(QssSetterTest, ButtonTypesPaintTheirLookAndPageRulesOverrideOnlyWhatTheySet) {
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
      QssSetter::SetStyle(&button, "conform_button", QssStyle().Radius(6).FontSize(14),
                          QssStyle().Radius(6).FontSize(14), QssStyle().Radius(6).FontSize(14));
      button.resize(110, 32);
      EXPECT_EQ(PixelOf(&button, {55, 4}), Token(c.fill)) << c.type << " " << theme;
      EXPECT_EQ(button.palette().color(QPalette::ButtonText), Token(c.text)) << c.type;
    }
  }
}

}  // namespace
