// QssSetter: styles widgets with theme tokens (vl_color_text_primary, ...) instead of colours,
// and re-styles every one of them when the theme changes.
//
//   QssSetter::SetStyle(button, "conform_button",                              // normal, hover:
//                       QssStyle().FontSize(14).Radius(6).Color("vl_color_text_primary"),
//                       QssStyle().Background("vl_color_fill_secondary_hover"));
//   QssSetter::SetStyleSheet(bar, "background:vl_color_background_secondary;");
//   QssSetter::SetTheme("dark");  // both widgets above re-style
//
// A widget's style sheet is made of up to three layers, later ones winning where they overlap:
//   1. the kit layer: the look a kit control gives itself (button types, tags), SetKitStyleSheet;
//   2. the raw layer: a style-sheet text, SetStyleSheet (or a plain QWidget::setStyleSheet that
//      QssSetter found on the widget, see AdoptStyleSheet);
//   3. the style layer: the rules SetStyle generates, scoped to the widget's object name.
// Each call replaces its own layer only. A style layer that sets only how the widget's text looks
// (font size and weight, colour, line height) and a background of one colour, without rounded
// corners, and stands alone, is given without a sheet: the font, palette and minimum height a
// rule with those declarations gives, and its background painted under the widget as the rule
// paints it. The same look, where a sheet of the widget's own had Qt parse and match it apart for
// that one widget (and style everything inside it through the sheet). That holds where no rule
// but QssSetter's own for other widgets is set above the widget and the application has no sheet
// (any other rule reaching it would win over a palette), and, for a text look, where Qt passes the
// font and palette on to no child: in a tree a sheet styles, or on a label, which has none;
// everywhere else the look stays a sheet. Such a widget's font and palette belong to QssSetter,
// which restores what they were once a sheet takes over. A rule that reaches the widget from a
// sheet set above it later wins over its look, as it would over any palette.
// Tokens are resolved through the current theme's table (theme_tables.h) when the sheet is applied
// and again on every theme change; an unknown token is left in the text as written, so it shows in
// the sheet and fails loudly in a test. Widgets are tracked with QPointer and forgotten when
// destroyed. UI thread only.
#pragma once

#include <string>
#include <string_view>

#include <QString>

class QWidget;

// One state's declarations, built fluently. Colours are tokens (or "transparent"), sizes px.
class QssStyle {
 public:
  // Border style values.
  enum { kBorderNone = 0, kBorderSolid = 1, kBorderDashed = 2, kBorderDotted = 3 };

  QssStyle& FontSize(int px);
  // CSS weights 100..900 (400 normal, 700 bold); in-between values such as 450 are kept.
  QssStyle& FontWeight(int weight);
  // Style sheets have no line height; this is the minimum height of the widget's contents, so a
  // single-line label is one line of that height with its text centred in it.
  QssStyle& LineHeight(int px);
  QssStyle& Color(std::string_view token);
  QssStyle& Background(std::string_view token);
  QssStyle& Radius(int px);
  QssStyle& Border(int width, std::string_view token, int style = kBorderSolid);
  // In QMargins order: left, top, right, bottom.
  QssStyle& Padding(int left, int top, int right, int bottom);
  // Any other style-sheet property ("text-align", "left"); the last value set for a name wins.
  QssStyle& Set(std::string_view property, std::string_view value);

  bool empty() const { return text_.empty(); }
  // "font-size:14px;border-radius:6px;" in the order the properties were first set.
  QString Declarations() const;
  void AppendDeclarations(QString* out) const;
  int DeclarationsSize() const { return static_cast<int>(text_.size()); }
  // "font-size:14px;color:vl_color_text_primary;": the declarations as set, tokens unresolved.
  std::string_view DeclarationText() const { return text_; }

 private:
  // The declarations as written out: pages build a few hundred styles a window, and one string
  // each keeps that to one allocation where a list of name/value pairs took a dozen.
  std::string text_;
};

// The styles of the states a control can be in; empty states add no rule.
struct QssStateStyles {
  QssStyle normal;
  QssStyle hover;
  QssStyle pressed;
  QssStyle checked;
  QssStyle disabled;
};

class QssSetter {
 public:
  // Sets widget's object name (unless object_name is empty) and replaces its style layer with
  // rules for the given states. Without an object name the rules are scoped to the widget by a
  // dynamic property, so they never leak into its children either way.
  static void SetStyle(QWidget* widget, const QString& object_name, const QssStyle& normal,
                       const QssStyle& hover = {}, const QssStyle& pressed = {},
                       const QssStyle& disabled = {});
  static void SetStyle(QWidget* widget, const QString& object_name, const QssStateStyles& states);

  // Replaces the raw layer with a style-sheet text that may name tokens. A text without braces
  // applies to the widget (and, as Qt has it, its children).
  static void SetStyleSheet(QWidget* widget, const QString& text);

  // Replaces the kit layer; for the kit's own controls. Write selectors by class
  // ("QFPushButton:hover{...}") so that a page's object-name rules override them.
  static void SetKitStyleSheet(QWidget* widget, const QString& text);

  // Takes a style sheet that someone set with plain QWidget::setStyleSheet into the raw layer
  // when it names tokens or the widget is already tracked; kit controls call this on polish and
  // style changes, so a token in setStyleSheet text works on them too. True when adopted.
  static bool AdoptStyleSheet(QWidget* widget);

  // The rules SetStyle would generate for selector ("#name"), without resolving tokens.
  static QString ComposeRules(const QString& selector, const QssStateStyles& states);

  // Switches the theme ("light", "dark") and re-styles every live styled widget; false for an
  // unknown theme.
  static bool SetTheme(const std::string& theme);
  static std::string CurrentTheme();

  // Widgets currently tracked (the live ones).
  static int TrackedWidgetCount();
};
